#include "script.h"

#include <charconv>
#include <istream>
#include <ostream>
#include <sstream>

#include "progress/saved_progress.h"
#include "runtime/control.h"
#include "runtime/headless/headless_platform.h"
#include "runtime/runtime.h"
#include "runtime/screen.h"
#include "runtime/settings_json.h"
#include "runtime/values.h"
#include "shell/game.h"

namespace vkscript {

namespace fs = std::filesystem;

namespace {

// Verbs whose argument is free text, in which '#' is not a comment.
bool takesFreeText(const std::string& verb) {
    return verb == "type" || verb == "keypress" || verb == "expect" || verb == "set";
}

// Verbs of the player's input: they arrive now, or later under 'after'.
bool isInput(const std::string& verb) {
    for (const char* input : {"click", "move", "keydown", "keyup", "press", "keypress", "type"})
        if (verb == input) return true;
    return false;
}

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

bool isInteger(const std::string& text) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc{} && end == text.data() + text.size();
}

struct Arity {
    const char* verb;
    int minArgs, maxArgs;  // -1: free text
};

constexpr Arity kVerbs[] = {
    {"data", -1, -1},  {"desktop", 2, 2},    {"settings", -1, -1}, {"start", 0, 0},
    {"advance", 1, 1}, {"click", 1, 1},      {"move", 1, 1},       {"keydown", 1, 2},
    {"keyup", 1, 2},   {"keypress", -1, -1}, {"type", -1, -1},     {"set", -1, -1},
    {"call", 1, 1},    {"answer", 1, 1},     {"print", 1, 1},      {"expect", -1, -1},
    {"sounds", 0, 0},  {"links", 0, 0},      {"display", 0, 0},    {"press", 1, 2},
    {"after", -1, -1}, {"now", 0, 0},
};

void checkCommand(const Command& c) {
    const Arity* arity = nullptr;
    for (const auto& a : kVerbs)
        if (c.verb == a.verb) arity = &a;
    if (!arity) throw ParseError{c.line, "unknown command '" + c.verb + "'"};
    const int n = static_cast<int>(c.args.size());
    if (arity->minArgs >= 0 && (n < arity->minArgs || n > arity->maxArgs))
        throw ParseError{c.line, "wrong number of arguments for '" + c.verb + "'"};
    auto require = [&](bool ok, const char* what) {
        if (!ok) throw ParseError{c.line, std::string(what)};
    };
    if (c.verb == "desktop") require(isInteger(c.args[0]) && isInteger(c.args[1]), "desktop W H");
    if (c.verb == "advance") require(isInteger(c.args[0]) && c.args[0][0] != '-', "advance MS");
    if (c.verb == "keydown" || c.verb == "keyup")
        for (const auto& a : c.args) require(isInteger(a), "key codes are numbers");
    if (c.verb == "press")
        require(isInteger(c.args[0]) && (c.args.size() == 1 || c.args[1].size() == 1),
                "press CODE [CHARACTER]");
    if (c.verb == "after")
        require(c.delayed.size() == 1 && isInput(c.delayed.front().verb),
                "after MS followed by an input command");
    if (c.verb == "keypress") require(c.rest.size() == 1, "keypress takes one character");
    if (c.verb == "data" || c.verb == "settings") require(!c.rest.empty(), "a path is needed");
    if (c.verb == "set") require(c.args.size() >= 2, "set ADDRESS VALUE");
    if (c.verb == "expect")
        require(c.rest.find(" == ") != std::string::npos ||
                    (c.rest.size() >= 3 && c.rest.ends_with(" ==")),
                "expect ADDRESS == VALUE");
    if (c.verb == "answer")
        require(c.args[0] == "abort" || c.args[0] == "retry" || c.args[0] == "ignore",
                "answer abort|retry|ignore");
}

// One command from a line without its indentation; throws ParseError.
Command parseCommand(const std::string& text, int line) {
    Command c;
    c.line = line;
    const auto gap = text.find(' ');
    c.verb = text.substr(0, gap);
    c.rest = gap == std::string::npos ? std::string{} : text.substr(gap + 1);
    if (c.verb == "after") {
        // "after MS COMMAND": the command is parsed as a line of its own.
        const auto space = c.rest.find(' ');
        const std::string ms = c.rest.substr(0, space);
        if (!isInteger(ms) || ms[0] == '-' || space == std::string::npos)
            throw ParseError{line, "after MS COMMAND"};
        c.args = {ms};
        c.delayed.push_back(parseCommand(c.rest.substr(space + 1), line));
        checkCommand(c);
        return c;
    }
    if (!takesFreeText(c.verb)) {
        if (auto hash = c.rest.find(" #"); hash != std::string::npos) c.rest.erase(hash);
        if (c.rest.starts_with("#")) c.rest.clear();
        while (!c.rest.empty() && (c.rest.back() == ' ' || c.rest.back() == '\t'))
            c.rest.pop_back();
    }
    c.args = words(c.rest);
    checkCommand(c);
    return c;
}

}  // namespace

std::vector<Command> parseScript(std::istream& in, int firstLine) {
    std::vector<Command> commands;
    std::string text;
    for (int line = firstLine; std::getline(in, text); ++line) {
        if (!text.empty() && text.back() == '\r') text.pop_back();
        const auto first = text.find_first_not_of(" \t");
        if (first == std::string::npos || text[first] == '#') continue;
        commands.push_back(parseCommand(text.substr(first), line));
    }
    return commands;
}

// The running game: headless platform, runtime and screens.
class Session {
  public:
    Session(fs::path programFolder, fs::path dataFolder,
            std::unique_ptr<vk::SettingsStore> settings, int desktopWidth, int desktopHeight)
        : headless(std::move(programFolder), std::move(settings), std::move(dataFolder)),
          runtime(headless.platform()),
          game(runtime) {
        headless.display.setDesktop(desktopWidth, desktopHeight);
    }

    vk::HeadlessPlatform headless;
    vk::Runtime runtime;
    vorkala::Game game;
};

namespace {

// "SCREEN.REST" split at the first dot.
struct Address {
    std::string screen, rest;
};

std::optional<Address> splitAddress(const std::string& text) {
    const auto dot = text.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == text.size()) return std::nullopt;
    return Address{text.substr(0, dot), text.substr(dot + 1)};
}

// "NAME", "NAME(3)", optionally followed by ".PROPERTY".
struct ControlAddress {
    std::string name;
    std::optional<int> index;
    std::string property;
};

std::optional<ControlAddress> parseControl(const std::string& text, bool withProperty) {
    ControlAddress a;
    std::string head = text;
    if (withProperty) {
        const auto dot = text.rfind('.');
        if (dot == std::string::npos) return std::nullopt;
        head = text.substr(0, dot);
        a.property = text.substr(dot + 1);
    }
    if (const auto open = head.find('('); open != std::string::npos) {
        if (head.back() != ')') return std::nullopt;
        const std::string digits = head.substr(open + 1, head.size() - open - 2);
        if (!isInteger(digits)) return std::nullopt;
        a.index = std::stoi(digits);
        head = head.substr(0, open);
    }
    a.name = head;
    return a.name.empty() ? std::nullopt : std::optional(a);
}

std::string boolText(bool v) { return v ? "True" : "False"; }

struct ScriptFailure {
    std::string message;
};

vk::Screen& screenNamed(Session& s, const std::string& name) {
    vk::Screen* screen = s.runtime.findScreen(name);
    if (!screen) throw ScriptFailure{"no screen named '" + name + "'"};
    return *screen;
}

// The value `print` shows; never loads a screen.
std::string valueAt(Session& s, const std::string& text) {
    const auto address = splitAddress(text);
    if (!address) throw ScriptFailure{"bad address '" + text + "'"};
    vk::Screen& screen = screenNamed(s, address->screen);
    if (address->rest == "loaded") return boolText(screen.loaded());
    if (address->rest == "visible") return boolText(screen.visible());
    if (auto v = screen.variable(address->rest)) return *v;
    const auto control = parseControl(address->rest, true);
    if (!control) throw ScriptFailure{"bad address '" + text + "'"};
    vk::ControlSet* set = screen.controlsIfLoaded();
    if (!set) return "(not loaded)";
    vk::Control* c = set->find(control->name, control->index);
    if (!c) throw ScriptFailure{"no control '" + address->rest + "'"};
    auto value = c->property(control->property);
    if (!value) throw ScriptFailure{"no property '" + control->property + "'"};
    return *value;
}

// The control a click or move aims at; nullptr when its screen is not loaded.
vk::Control* aimedControl(Session& s, const std::string& text) {
    const auto address = splitAddress(text);
    if (!address) throw ScriptFailure{"bad address '" + text + "'"};
    vk::Screen& screen = screenNamed(s, address->screen);
    const auto control = parseControl(address->rest, false);
    if (!control) throw ScriptFailure{"bad address '" + text + "'"};
    vk::ControlSet* set = screen.controlsIfLoaded();
    if (!set) return nullptr;
    vk::Control* c = set->find(control->name, control->index);
    if (!c) throw ScriptFailure{"no control '" + address->rest + "'"};
    return c;
}

vk::MessageAnswer answerNamed(const std::string& word) {
    if (word == "retry") return vk::MessageAnswer::Retry;
    if (word == "ignore") return vk::MessageAnswer::Ignore;
    return vk::MessageAnswer::Abort;
}

std::string relativeToProgram(const Session& s, const std::string& file) {
    const std::string app = s.runtime.appPath();
    return file.starts_with(app) ? file.substr(app.size()) : file;
}

std::string describe(const vk::ChannelCommand& cmd, const Session& s) {
    return cmd.owner + " " + cmd.command + " " + (cmd.deviceType.empty() ? "-" : cmd.deviceType) +
           " " + (cmd.fileName.empty() ? "-" : relativeToProgram(s, cmd.fileName));
}

}  // namespace

// One line a command; a run of identical commands (a timer repeating "play") is one line
// with its count.
void ScriptRunner::printSounds(const std::vector<vk::ChannelCommand>& commands, const Session& s) {
    for (std::size_t i = 0; i < commands.size();) {
        const std::string line = describe(commands[i], s);
        std::size_t run = 1;
        while (i + run < commands.size() && describe(commands[i + run], s) == line) ++run;
        out_ << line;
        if (run > 1) out_ << " (x" << run << ")";
        out_ << "\n";
        i += run;
    }
}

ScriptRunner::ScriptRunner(fs::path programFolder, std::ostream& out, std::ostream& err)
    : programFolder_(std::move(programFolder)), out_(out), err_(err) {}

ScriptRunner::~ScriptRunner() = default;

int ScriptRunner::run(const std::vector<Command>& commands) {
    for (const Command& command : commands) {
        std::optional<int> status;
        try {
            status = execute(command);
        } catch (const ScriptFailure& failure) {
            status = fail(command, failure.message);
        } catch (const vk::RuntimeError& error) {
            status = fail(command, std::string("run-time error: ") + error.what());
        }
        if (status) return *status;
        if (session_ && session_->runtime.ended() && !endReported_) {
            out_ << "ended\n";
            endReported_ = true;
        }
    }
    return kFinished;
}

// Queues an input command's events to arrive at `arrival`. Clicks and moves aim at where
// their control is now; on a screen that is not loaded they do nothing.
void ScriptRunner::queueInput(const Command& c, vk::Micros arrival) {
    Session& s = *session_;
    auto post = [&](vk::InputEvent event) { s.headless.input.postAt(arrival, event); };
    if (c.verb == "click" || c.verb == "move") {
        if (vk::Control* target = aimedControl(s, c.args[0]))
            post(c.verb == "click" ? vk::InputEvent(vk::clickOn(*target))
                                   : vk::InputEvent(vk::moveOver(*target)));
    } else if (c.verb == "keydown" || c.verb == "keyup") {
        const int code = std::stoi(c.args[0]);
        const int shift = c.args.size() > 1 ? std::stoi(c.args[1]) : 0;
        if (c.verb == "keydown")
            post(vk::KeyDownEvent{code, shift});
        else
            post(vk::KeyUpEvent{code, shift});
    } else if (c.verb == "press") {
        // One physical key press as the keyboard delivers it.
        const int code = std::stoi(c.args[0]);
        post(vk::KeyDownEvent{code, 0});
        if (c.args.size() > 1) post(vk::KeyPressEvent{c.args[1][0], true});
        post(vk::KeyUpEvent{code, 0});
    } else {  // keypress, type: characters of their own
        for (char ch : c.rest) post(vk::KeyPressEvent{ch});
    }
}

std::optional<int> ScriptRunner::fail(const Command& command, const std::string& message) {
    err_ << "line " << command.line << ": " << message << "\n";
    return kBadScript;
}

std::optional<int> ScriptRunner::setUp(const Command& c) {
    if (session_) return fail(c, "'" + c.verb + "' must come before 'start'");
    if (c.verb == "data") dataFolder_ = c.rest;
    if (c.verb == "desktop") {
        desktopWidth_ = std::stoi(c.args[0]);
        desktopHeight_ = std::stoi(c.args[1]);
    }
    if (c.verb == "settings") settingsFile_ = fs::path(c.rest);
    if (c.verb == "start") {
        std::unique_ptr<vk::SettingsStore> settings;
        if (settingsFile_)
            settings = std::make_unique<vk::JsonSettingsStore>(*settingsFile_,
                                                               vorkala::savedProgressLayout());
        else
            settings = std::make_unique<vk::MemorySettings>();
        session_ = std::make_unique<Session>(programFolder_, dataFolder_, std::move(settings),
                                             desktopWidth_, desktopHeight_);
        session_->game.start();
    }
    return std::nullopt;
}

std::optional<int> ScriptRunner::execute(const Command& c) {
    if (c.verb == "data" || c.verb == "desktop" || c.verb == "settings" || c.verb == "start")
        return setUp(c);
    if (!session_) return fail(c, "'" + c.verb + "' needs 'start' first");
    Session& s = *session_;
    vk::Runtime& rt = s.runtime;

    // Once the program has ended only the commands that show what is left still act.
    if (rt.ended() && (c.verb == "advance" || c.verb == "after" || isInput(c.verb)))
        return std::nullopt;
    if (c.verb == "advance") {
        s.headless.advance(rt, std::stoll(c.args[0]) * vk::kMicrosPerMilli);
    } else if (c.verb == "now") {
        out_ << "now = " << vk::textOf(static_cast<double>(rt.now()) / vk::kMicrosPerMilli) << "\n";
    } else if (isInput(c.verb)) {
        queueInput(c, rt.now());
        rt.dispatchPending();
    } else if (c.verb == "after") {
        queueInput(c.delayed.front(), rt.now() + std::stoll(c.args[0]) * vk::kMicrosPerMilli);
    } else if (c.verb == "set") {
        const std::string address = c.args[0];
        const std::string value = c.rest.substr(c.rest.find(address) + address.size() + 1);
        const auto a = splitAddress(address);
        const auto control = a ? parseControl(a->rest, true) : std::nullopt;
        if (!control) return fail(c, "bad address '" + address + "'");
        vk::Screen& screen = screenNamed(s, a->screen);
        bool done = false;
        rt.runTopLevel([&] {
            vk::Control* target = screen.controls().find(control->name, control->index);
            if (!target) throw ScriptFailure{"no control '" + a->rest + "'"};
            done = target->setProperty(control->property, value);
        });
        if (!done && !rt.ended()) return fail(c, "cannot set '" + address + "' to '" + value + "'");
    } else if (c.verb == "call") {
        const auto a = splitAddress(c.args[0]);
        if (!a) return fail(c, "bad address '" + c.args[0] + "'");
        const auto& routines = screenNamed(s, a->screen).routines();
        const auto routine = routines.find(a->rest);
        if (routine == routines.end()) return fail(c, "no routine '" + c.args[0] + "'");
        rt.runTopLevel(routine->second);
    } else if (c.verb == "answer") {
        s.headless.messages.queueAnswer(answerNamed(c.args[0]));
    } else if (c.verb == "print") {
        out_ << c.args[0] << " = " << valueAt(s, c.args[0]) << "\n";
    } else if (c.verb == "expect") {
        const auto split = c.rest.find(" ==");
        const std::string address = c.rest.substr(0, split);
        const std::string wanted =
            split + 3 < c.rest.size() ? c.rest.substr(split + 4) : std::string{};
        const std::string actual = valueAt(s, address);
        if (actual != wanted) {
            out_ << "line " << c.line << ": expected " << address << " == " << wanted
                 << " but it is " << actual << "\n";
            return kExpectationFailed;
        }
    } else if (c.verb == "sounds") {
        printSounds(s.headless.audio.takeCommands(), s);
    } else if (c.verb == "links") {
        for (const auto& target : s.headless.links.opened()) out_ << "link " << target << "\n";
    } else if (c.verb == "display") {
        for (const auto& [w, h] : s.headless.display.changes())
            out_ << "SetDisplayMode " << w << " " << h << "\n";
    }
    return std::nullopt;
}

}  // namespace vkscript
