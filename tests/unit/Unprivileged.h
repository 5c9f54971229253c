#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>

// Runs a check as a user whom file permissions stop: in a child process as "nobody" when the
// test runs as root (as CI does), else right here. The check answers what went wrong, the
// empty text when nothing did; the answer comes back through a pipe from the child.
inline std::string RunUnprivileged(const std::function<std::string()>& check) {
    if (geteuid() != 0) return check();
    int fds[2];
    if (pipe(fds) != 0) return "pipe failed";
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0) return "fork failed";
    if (child == 0) {
        close(fds[0]);
        constexpr uid_t kNobody = 65534;
        std::string answer = setgid(kNobody) == 0 && setuid(kNobody) == 0
                                 ? check()
                                 : std::string("cannot become nobody");
        if (write(fds[1], answer.data(), answer.size()) < 0) _exit(2);
        _exit(0);
    }
    close(fds[1]);
    std::string answer;
    char chunk[256];
    for (ssize_t got; (got = read(fds[0], chunk, sizeof chunk)) > 0;)
        answer.append(chunk, static_cast<std::size_t>(got));
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "the check did not end normally";
    return answer;
}
