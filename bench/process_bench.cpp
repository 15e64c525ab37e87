// Measures whole processes of the game:
//   startup GAME RUNS        median milliseconds from launch to the first presented frame
//   idle GAME SECONDS        share of one core the title screen takes while it idles
//   fight GAME SECONDS       share of one core a fight takes: the title's OK, the computer
//                            on the right at medium and two picks are clicked with
//                            xdotool, and the left player's keys are pressed meanwhile
//   peak-memory PROGRAM ARGS peak resident memory of a program run to its end
// The game runs in a window with SDL's dummy sound (whose mixer runs in real time, so
// music synthesis counts); a display must be open (xvfb-run).
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

// Keeps reading the game's later messages, so that they cannot fill the pipe and block
// it; returns the reader's process.
pid_t drainErrors(Launched& run) {
    const pid_t drainer = fork();
    if (drainer == 0) {
        char buffer[4096];
        while (fread(buffer, 1, sizeof buffer, run.errors) > 0) {
        }
        _exit(0);
    }
    return drainer;
}

// Runs a shell script in a process group of its own, so that it can be stopped with the
// commands it has started.
pid_t startScript(const std::string& script) {
    const pid_t pid = fork();
    if (pid == 0) {
        setpgid(0, 0);
        execl("/bin/sh", "sh", "-c", script.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    setpgid(pid, pid);
    return pid;
}

void stopScript(pid_t script) {
    kill(-script, SIGTERM);
    waitpid(script, nullptr, 0);
}

double corePercent(long long ticks, int seconds) {
    return 100.0 * static_cast<double>(ticks) / static_cast<double>(sysconf(_SC_CLK_TCK)) / seconds;
}

// CPU ticks the game takes over `seconds`.
long long ticksOver(pid_t pid, int seconds) {
    const long long before = cpuTicks(pid);
    sleep(static_cast<unsigned>(seconds));
    return cpuTicks(pid) - before;
}

int idle(const std::string& game, int seconds) {
    Launched run = launchGame(game);
    if (!firstFrame(run)) return 1;
    const pid_t drainer = drainErrors(run);
    sleep(1);  // past the start-up work
    const long long ticks = ticksOver(run.pid, seconds);
    stop(run);
    waitpid(drainer, nullptr, 0);
    std::cout << "idle_cpu_percent " << corePercent(ticks, seconds) << "\n";
    return 0;
}

// Window pixels (800 x 600) of the controls clicked on the way into a fight.
constexpr const char* kIntoFight =
    "click 376 506; sleep 1\n"    // the title's OK
    "click 639 334; sleep 0.5\n"  // the right computer toggle
    "click 668 382; sleep 1\n"    // medium
    "click 84 252; sleep 1\n"     // the left fighter: left roster, row 4, column 2
    "click 596 140; sleep 4\n";   // the right fighter: right roster, row 2, column 1
// The left player walks in and throws the four blows, round and round.
constexpr const char* kLeftPlayer =
    "while :; do for k in d t g d z h a; do\n"
    "  xdotool keydown $k; sleep 0.12; xdotool keyup $k; sleep 0.13\n"
    "done; done\n";

int fight(const std::string& game, int seconds) {
    Launched run = launchGame(game);
    if (!firstFrame(run)) return 1;
    const pid_t drainer = drainErrors(run);
    const std::string window = "W=$(xdotool search --sync --onlyvisible --pid " +
                               std::to_string(run.pid) + " | head -n 1)\n";
    const std::string click = "click() { xdotool mousemove --window \"$W\" $1 $2 click 1; }\n";
    const pid_t setup = startScript(window + click + "sleep 1\n" + kIntoFight);
    int status = 0;
    waitpid(setup, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        stop(run);
        return 1;
    }
    const pid_t player = startScript(window + "xdotool windowfocus \"$W\"\n" + kLeftPlayer);
    const long long ticks = ticksOver(run.pid, seconds);
    stopScript(player);
    stop(run);
    waitpid(drainer, nullptr, 0);
    std::cout << "fight_cpu_percent " << corePercent(ticks, seconds) << "\n";
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
    if (mode == "fight" && argc == 4) return fight(argv[2], std::atoi(argv[3]));
    if (mode == "peak-memory" && argc >= 3) return peakMemory(argv + 2);
    std::cerr << "usage: vorkala-bench-process startup GAME RUNS | idle GAME SECONDS |"
                 " fight GAME SECONDS | peak-memory PROGRAM [ARGS...]\n";
    return 2;
}
