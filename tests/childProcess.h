#pragma once

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

// Limits every file this process writes to `bytes`, as a full disk would: a write past it fails
// with "File too large" (the signal it would raise is ignored).
inline void limitFileSize(rlim_t bytes) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, bytes};
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

// Runs `body` in a child process and gives its result as the exit status, or -1 when the child
// did not exit by itself. A child that hangs (a fault under test) ends after 30 s.
inline int inChild(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(30);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs `body` in a child process as the user nobody: root writes into any folder, so a test of
// a folder that may not be written drops root first. 99 when it cannot.
inline int asNobody(const std::function<int()>& body) {
    return inChild([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            return 99;
        }
        return body();
    });
}
