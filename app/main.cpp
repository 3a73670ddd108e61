#include <chrono>
#include <thread>

#include "app/app_state.h"
#include "app/game_routine.h"
#include "app/settings.h"
#include "app/startup.h"

int main() {
    Settings settings;
    AppState app;
    if (initialize(settings, app) != 0) {
        // A failed start-up leaves its objects to process exit.
        std::this_thread::sleep_until(std::chrono::steady_clock::now() + std::chrono::seconds(2));
        return -1;
    }
    runGame(settings, app);
    shutdown(app);
    return 0;
}
