#include "support/display.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
pid_t xvfbPid = 0;

void stopXvfb() {
    if (xvfbPid > 0) {
        kill(xvfbPid, SIGTERM);
        waitpid(xvfbPid, nullptr, 0);
        xvfbPid = 0;
    }
}
}  // namespace

bool ensureDisplay() {
    const char* display = std::getenv("DISPLAY");
    if (display && *display) return true;
    if (xvfbPid > 0) return true;

    int fds[2];
    if (pipe(fds) != 0) return false;
    pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
        close(fds[0]);
        // Dies with the test, and keeps none of its output pipes: a test that
        // crashes must not leave a server holding CTest's pipe open.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int quiet = open("/dev/null", O_RDWR);
        for (int stream = 0; stream < 3; ++stream) dup2(quiet, stream);
        std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    // Xvfb writes its display number once it accepts connections.
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (number.empty()) {
        waitpid(pid, nullptr, 0);
        return false;
    }
    xvfbPid = pid;
    std::atexit(stopXvfb);
    setenv("DISPLAY", (":" + number).c_str(), 1);
    return true;
}
