// Measures whole processes of the game:
//   startup GAME RUNS        median milliseconds from launch to the first presented frame
//   idle GAME SECONDS        share of one core the title screen takes while it idles
//   peak-memory PROGRAM ARGS peak resident memory of a program run to its end
// The game runs in a window with SDL's dummy sound; a display must be open (xvfb-run).
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

long long monotonicMicros() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000 + now.tv_nsec / 1000;
}

struct Launched {
    pid_t pid = -1;
    FILE* errors = nullptr;  // the game's standard error
    long long startedAt = 0;
};

Launched launchGame(const std::string& game) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) std::exit(2);
    Launched run;
    run.startedAt = monotonicMicros();
    run.pid = fork();
    if (run.pid == 0) {
        dup2(pipeFds[1], STDERR_FILENO);
        close(pipeFds[0]);
        setenv("VORKALA_REPORT_FIRST_FRAME", "1", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        const std::string settings = "/tmp/vorkala-bench-settings-" + std::to_string(getpid());
        setenv("VORKALA_SETTINGS", settings.c_str(), 1);
        execl(game.c_str(), game.c_str(), "--window", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    run.errors = fdopen(pipeFds[0], "r");
    return run;
}

// The monotonic time of the first frame, from the game's report.
std::optional<long long> firstFrame(Launched& run) {
    char line[512];
    while (fgets(line, sizeof line, run.errors)) {
        long long at = 0;
        if (std::sscanf(line, "vorkala: first frame presented at %lld us", &at) == 1) return at;
    }
    return std::nullopt;
}

void stop(Launched& run) {
    kill(run.pid, SIGTERM);
    for (int i = 0; i < 50; ++i) {
        if (waitpid(run.pid, nullptr, WNOHANG) == run.pid) {
            fclose(run.errors);
            return;
        }
        usleep(20'000);
    }
    kill(run.pid, SIGKILL);
    waitpid(run.pid, nullptr, 0);
    fclose(run.errors);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// User and system CPU ticks of a process so far.
long long cpuTicks(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    long long utime = 0, stime = 0;
    for (int i = 3; fields >> field; ++i) {
        if (i == 14) utime = std::stoll(field);
        if (i == 15) {
            stime = std::stoll(field);
            break;
        }
    }
    return utime + stime;
}

int startup(const std::string& game, int runs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        Launched run = launchGame(game);
        const auto at = firstFrame(run);
        stop(run);
        if (!at) {
            std::cerr << "the game presented no frame\n";
            return 1;
        }
        times.push_back(static_cast<double>(*at - run.startedAt) / 1000.0);
    }
    std::cout << "startup_ms " << median(times) << "\n";
    return 0;
}

int idle(const std::string& game, int seconds) {
    Launched run = launchGame(game);
    if (!firstFrame(run)) return 1;
    // The game's later messages must not fill the pipe and block it.
    const pid_t drainer = fork();
    if (drainer == 0) {
        char buffer[4096];
        while (fread(buffer, 1, sizeof buffer, run.errors) > 0) {
        }
        _exit(0);
    }
    sleep(1);  // past the start-up work
    const long long before = cpuTicks(run.pid);
    sleep(static_cast<unsigned>(seconds));
    const long long after = cpuTicks(run.pid);
    stop(run);
    waitpid(drainer, nullptr, 0);
    const double percent = 100.0 * static_cast<double>(after - before) /
                           static_cast<double>(sysconf(_SC_CLK_TCK)) / seconds;
    std::cout << "idle_cpu_percent " << percent << "\n";
    return 0;
}

int peakMemory(char** argv) {
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        execv(argv[0], argv);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return 1;
    std::cout << "peak_memory_mb " << static_cast<double>(usage.ru_maxrss) / 1024.0 << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "startup" && argc == 4) return startup(argv[2], std::atoi(argv[3]));
    if (mode == "idle" && argc == 4) return idle(argv[2], std::atoi(argv[3]));
    if (mode == "peak-memory" && argc >= 3) return peakMemory(argv + 2);
    std::cerr << "usage: vorkala-bench-process startup GAME RUNS | idle GAME SECONDS |"
                 " peak-memory PROGRAM [ARGS...]\n";
    return 2;
}
