#pragma once

struct GLFWwindow;
struct PhysicsFoundation;
struct PhysicsSdk;
struct PhysicsScene;
struct PhysicsCooking;

// The handles start-up creates; one instance for the whole process.
struct AppState {
    GLFWwindow* window = nullptr;
    PhysicsFoundation* foundation = nullptr;
    PhysicsSdk* physics = nullptr;
    PhysicsScene* scene = nullptr;
    PhysicsCooking* cooking = nullptr;
};
