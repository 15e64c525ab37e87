// Measures whole processes of the game and of the bare SDL loop (vorkala-bare-loop):
//   startup RUNS PROGRAM ARGS...  median milliseconds from launch to the first presented
//                                 frame
//   cpu SECONDS PROGRAM ARGS...   share of one core the program takes after its start
//                                 (the game: its title screen idling)
//   peak SECONDS PROGRAM ARGS...  peak resident memory after that long
//   fight SECONDS GAME            the title's OK, the computer on the right at medium and
//                                 two picks are clicked with xdotool; once the window's
//                                 caption names the fight screen, the share of one core
//                                 the fight takes while the left player's keys are
//                                 pressed, then the game's peak resident memory when
//                                 the caption names the after-fight screen
// Programs run with SDL's dummy sound (whose mixer runs in real time, so music synthesis
// counts) and report their first frame on standard error; a display must be open
// (xvfb-run). The game is given --window.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
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

Launched launch(char** command) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) std::exit(2);
    Launched run;
    run.startedAt = monotonicMicros();
    run.pid = fork();
    if (run.pid == 0) {
        dup2(pipeFds[1], STDERR_FILENO);
        close(pipeFds[0]);
        setenv("VORKALA_REPORT_FIRST_FRAME", "1", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 0);  // unless the caller chose one
        const std::string settings = "/tmp/vorkala-bench-settings-" + std::to_string(getpid());
        setenv("VORKALA_SETTINGS", settings.c_str(), 1);
        execv(command[0], command);
        _exit(127);
    }
    close(pipeFds[1]);
    run.errors = fdopen(pipeFds[0], "r");
    return run;
}

// The monotonic time of the first frame, from the program's report.
std::optional<long long> firstFrame(Launched& run) {
    char line[512];
    while (fgets(line, sizeof line, run.errors)) {
        const char* report = std::strstr(line, "first frame presented at ");
        long long at = 0;
        if (report && std::sscanf(report, "first frame presented at %lld us", &at) == 1) return at;
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

// Nanoseconds a process's threads have run so far (the scheduler's own count, finer than
// the clock ticks of /proc/PID/stat).
long long cpuNanoseconds(pid_t pid) {
    long long total = 0;
    std::error_code error;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        std::ifstream in(task.path() / "schedstat");
        long long ran = 0;
        if (in >> ran) total += ran;
    }
    return total;
}

int startup(int runs, char** command) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        Launched run = launch(command);
        const auto at = firstFrame(run);
        stop(run);
        if (!at) {
            std::cerr << command[0] << " presented no frame\n";
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

// The share of one core a process takes over the next `seconds`, in percent.
double corePercentOver(pid_t pid, int seconds) {
    const long long before = cpuNanoseconds(pid);
    sleep(static_cast<unsigned>(seconds));
    return static_cast<double>(cpuNanoseconds(pid) - before) / 1e7 / seconds;
}

// Peak resident memory of a running process so far, in MB.
double peakMegabytes(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

// Runs the command for `seconds` after its first frame and a second more; `measure` is
// given its process and the seconds.
template <class Measure>
int afterStart(int seconds, char** command, Measure measure) {
    Launched run = launch(command);
    if (!firstFrame(run)) return 1;
    const pid_t drainer = drainErrors(run);
    sleep(1);  // past the start-up work
    measure(run.pid, seconds);
    stop(run);
    waitpid(drainer, nullptr, 0);
    return 0;
}

int cpu(int seconds, char** command) {
    return afterStart(seconds, command, [](pid_t pid, int s) {
        std::cout << "cpu_percent " << corePercentOver(pid, s) << "\n";
    });
}

int peak(int seconds, char** command) {
    return afterStart(seconds, command, [](pid_t pid, int s) {
        sleep(static_cast<unsigned>(s));
        std::cout << "peak_mb " << peakMegabytes(pid) << "\n";
    });
}

// The output of a shell command, without its last line break.
std::string outputOf(const std::string& command) {
    std::string text;
    if (FILE* out = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, out)) text += buffer;
        pclose(out);
    }
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
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

constexpr const char* kFightCaption = "Vorkala - boj";
constexpr const char* kAfterFightCaption = "Vorkala - drzky";
// A whole fight lasts at most its countdown and the screens around it.
constexpr int kLongestFightSeconds = 150;

int fight(int seconds, char** command) {
    Launched run = launch(command);
    if (!firstFrame(run)) return 1;
    const pid_t drainer = drainErrors(run);
    const std::string window = outputOf("timeout 30 xdotool search --sync --onlyvisible --pid " +
                                        std::to_string(run.pid) + " | head -n 1");
    const std::string caption = "xdotool getwindowname " + window;
    const std::string click =
        "click() { xdotool mousemove --window " + window + " $1 $2 click 1; }\n";
    const pid_t setup = startScript(click + "sleep 1\n" + kIntoFight);
    int status = 0;
    waitpid(setup, &status, 0);
    if (window.empty() || !WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        outputOf(caption) != kFightCaption) {
        std::cerr << "the fight screen is not in front\n";
        stop(run);
        waitpid(drainer, nullptr, 0);
        return 1;
    }
    const pid_t player = startScript("xdotool windowfocus " + window + "\n" + kLeftPlayer);
    std::cout << "fight_cpu_percent " << corePercentOver(run.pid, seconds) << "\n";
    int waited = seconds;
    for (; waited < kLongestFightSeconds && outputOf(caption) != kAfterFightCaption; ++waited)
        sleep(1);
    const double peakMb = peakMegabytes(run.pid);
    stopScript(player);
    stop(run);
    waitpid(drainer, nullptr, 0);
    if (waited >= kLongestFightSeconds) {
        std::cerr << "the fight did not reach the after-fight screen\n";
        return 1;
    }
    std::cout << "fight_peak_mb " << peakMb << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    const int number = argc > 2 ? std::atoi(argv[2]) : 0;
    char** command = argv + 3;
    if (argc >= 4 && number > 0) {
        if (mode == "startup") return startup(number, command);
        if (mode == "cpu") return cpu(number, command);
        if (mode == "peak") return peak(number, command);
        if (mode == "fight") return fight(number, command);
    }
    std::cerr << "usage: vorkala-bench-process startup RUNS | cpu SECONDS | peak SECONDS |"
                 " fight SECONDS, then PROGRAM [ARGS...]\n";
    return 2;
}
