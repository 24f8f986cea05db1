// The main of every test binary: each test case runs in a process of its own. The frame's
// singletons are function-local statics by design (the window, the device, the registries, the
// scenes, the fades, the seeded random generator) and the layer keeps process-wide tables (the
// font table, the windows, the key state), so a case that follows another in the same process
// would start from what that one left. CTest already
// runs one case per process; this main does the same when the binary is run directly (as an IDE
// does), also shuffled and repeated: it forks once per selected case, in the order gtest's
// --gtest_shuffle, --gtest_random_seed and --gtest_repeat ask for, and sums up the results.
// With POKUTAN_TESTS_IN_ONE_PROCESS=1 (or when only one case is selected, or when listing) the
// cases run in this process as with gtest's own main.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

// gtest's filter syntax: positive patterns, then '-' and negative ones, separated by ':', with
// '*' and '?' wildcards. (gtest decides should_run() only inside RUN_ALL_TESTS.)
bool Matches(const char* pattern, const char* name) {
    for (;; ++pattern, ++name) {
        if (*pattern == '\0' || *pattern == ':') {
            return *name == '\0';
        }
        if (*pattern == '*') {
            return Matches(pattern + 1, name) || (*name != '\0' && Matches(pattern, name + 1));
        }
        if (*name == '\0' || (*pattern != '?' && *pattern != *name)) {
            return false;
        }
    }
}

bool MatchesAny(const std::string& patterns, const std::string& name) {
    for (size_t start = 0; start <= patterns.size();) {
        if (Matches(patterns.c_str() + start, name.c_str())) {
            return true;
        }
        const size_t colon = patterns.find(':', start);
        if (colon == std::string::npos) {
            break;
        }
        start = colon + 1;
    }
    return false;
}

bool Selected(const std::string& name) {
    const std::string filter = GTEST_FLAG_GET(filter);
    const size_t dash = filter.find('-');
    const std::string positive = filter.substr(0, dash);
    const std::string negative = dash == std::string::npos ? "" : filter.substr(dash + 1);
    if (!MatchesAny(positive.empty() ? "*" : positive, name) ||
        (!negative.empty() && MatchesAny(negative, name))) {
        return false;
    }
    return GTEST_FLAG_GET(also_run_disabled_tests) ||
           (name.rfind("DISABLED_", 0) != 0 && name.find(".DISABLED_") == std::string::npos);
}

std::vector<std::string> SelectedCases() {
    std::vector<std::string> names;
    const ::testing::UnitTest& unit = *::testing::UnitTest::GetInstance();
    for (int s = 0; s < unit.total_test_suite_count(); ++s) {
        const ::testing::TestSuite& suite = *unit.GetTestSuite(s);
        for (int t = 0; t < suite.total_test_count(); ++t) {
            const ::testing::TestInfo& info = *suite.GetTestInfo(t);
            const std::string name = std::string(info.test_suite_name()) + "." + info.name();
            if (Selected(name)) {
                names.push_back(name);
            }
        }
    }
    return names;
}

// Runs one case in a forked child; true when it passed.
bool RunInChild(const std::string& name) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        return false;
    }
    if (child == 0) {
        GTEST_FLAG_SET(filter, name);
        GTEST_FLAG_SET(repeat, 1);
        GTEST_FLAG_SET(shuffle, false);
        std::exit(RUN_ALL_TESTS());  // exit, not _exit: destructors and LeakSanitizer run
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

int RunEachInItsOwnProcess(std::vector<std::string> names) {
    const int repeat = std::max(1, static_cast<int>(GTEST_FLAG_GET(repeat)));
    const bool shuffle = GTEST_FLAG_GET(shuffle);
    int seed = static_cast<int>(GTEST_FLAG_GET(random_seed));
    if (seed == 0) {
        seed = static_cast<int>(getpid());
    }
    std::vector<std::string> failed;
    int runs = 0;
    for (int round = 0; round < repeat; ++round) {
        if (shuffle) {
            std::mt19937 random(static_cast<unsigned>(seed + round));
            std::shuffle(names.begin(), names.end(), random);
        }
        for (const std::string& name : names) {
            ++runs;
            if (!RunInChild(name)) {
                failed.push_back(name);
            }
        }
    }
    std::printf("\n[per-process] %d case runs in their own processes (%d rounds%s), %zu failed\n",
                runs, repeat,
                shuffle ? (", shuffled with seed " + std::to_string(seed)).c_str() : "",
                failed.size());
    for (const std::string& name : failed) {
        std::printf("[per-process] FAILED %s\n", name.c_str());
    }
    return failed.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const char* together = std::getenv("POKUTAN_TESTS_IN_ONE_PROCESS");
    const std::vector<std::string> names = SelectedCases();
    if (GTEST_FLAG_GET(list_tests) || names.size() <= 1 || (together && together[0] == '1')) {
        return RUN_ALL_TESTS();
    }
    return RunEachInItsOwnProcess(names);
}
