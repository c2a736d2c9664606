// Runs part of a test in a child process, for what the test process itself
// must not go through: being killed, a file-size limit, another user.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

// The child runs `body` and exits with its result; the status is waitpid's.
inline int RunInChild(const std::function<int()>& body) {
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) _exit(body());
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

// The exit code of a child that ended by itself, or -1.
inline int ExitCode(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }
