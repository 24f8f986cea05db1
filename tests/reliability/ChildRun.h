// Runs a piece of a reliability test in a forked child process: the game's singletons live for
// the process, so each run of the game that a test compares or repeats gets a process of its
// own. The child hands back a plain result struct through a pipe and ends with exit(), so that
// LeakSanitizer checks it as it would a whole program; any sanitizer report makes the exit
// status non-zero.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <type_traits>

template <typename Result>
struct ChildRun {
    bool exitedCleanly = false;  // exit status 0: no crash, no sanitizer report
    int status = 0;              // waitpid's status
    Result result{};             // what the child handed back (zeros when it did not)
};

template <typename Result>
ChildRun<Result> RunInChild(const std::function<Result()>& body) {
    static_assert(std::is_trivially_copyable_v<Result>);
    ChildRun<Result> run;
    int channel[2];
    if (pipe(channel) != 0) {
        return run;
    }
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const Result result = body();
        const bool sent = write(channel[1], &result, sizeof result) == sizeof result;
        close(channel[1]);
        std::exit(sent ? 0 : 3);
    }
    close(channel[1]);
    if (child > 0) {
        const bool received = read(channel[0], &run.result, sizeof run.result) ==
                              static_cast<ssize_t>(sizeof run.result);
        waitpid(child, &run.status, 0);
        run.exitedCleanly = received && WIFEXITED(run.status) && WEXITSTATUS(run.status) == 0;
    }
    close(channel[0]);
    return run;
}
