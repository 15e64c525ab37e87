// vorkala-script: runs the game on the headless platform from a script, one command a
// line ('#' starts a comment).
#pragma once

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runtime/platform.h"

namespace vkscript {

struct Command {
    int line = 0;
    std::string verb;
    std::vector<std::string> args;  // words after the verb
    std::string rest;               // everything after the verb, as written
    std::vector<Command> delayed;   // for 'after': the input command it queues
};

struct ParseError {
    int line;
    std::string message;
};

// Parses a whole script; throws ParseError at the first line it cannot parse. Lines are
// numbered from `firstLine`.
std::vector<Command> parseScript(std::istream& in, int firstLine = 1);

// Exit statuses of the driver.
enum ExitStatus { kFinished = 0, kExpectationFailed = 1, kBadScript = 2 };

class Session;

class ScriptRunner {
  public:
    // `programFolder` is where the game was built (its data folder beside it).
    ScriptRunner(std::filesystem::path programFolder, std::ostream& out, std::ostream& err);
    ~ScriptRunner();

    int run(const std::vector<Command>& commands);

  private:
    // Returns an exit status to stop with, or nullopt to go on.
    std::optional<int> execute(const Command& command);
    std::optional<int> setUp(const Command& command);
    std::optional<int> fail(const Command& command, const std::string& message);
    void queueInput(const Command& command, vk::Micros arrival);
    void printSounds(const std::vector<vk::ChannelCommand>& commands, const Session& s);

    std::filesystem::path programFolder_;
    std::filesystem::path dataFolder_;
    std::optional<std::filesystem::path> settingsFile_;
    int desktopWidth_ = 1024, desktopHeight_ = 768;
    std::unique_ptr<Session> session_;
    bool endReported_ = false;
    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace vkscript
