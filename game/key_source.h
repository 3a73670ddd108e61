#pragma once
#include <set>

// Where the rules read held keys from: GLFW's polling in the game, a script in
// tests and in the simulator. GLFW only changes key state while polling events,
// so every read within one frame sees the same answers.
class KeySource {
public:
    virtual ~KeySource() = default;
    virtual bool isPressed(int key) const = 0;
};

// A fixed set of held keys, set anew for each frame by its owner.
class ScriptedKeys : public KeySource {
public:
    bool isPressed(int key) const override { return held.count(key) != 0; }
    std::set<int> held;
};
