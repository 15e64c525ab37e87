// Data files by the game's names, pictures loaded from them, and sound channels.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "runtime/data_files.h"
#include "runtime/errors.h"
#include "runtime/sound_channel.h"
#include "runtime_test_support.h"

namespace vk {
namespace {

namespace fs = std::filesystem;
using rttest::HookScreen;
using rttest::RuntimeTest;
using rttest::writeFile;

const std::vector<std::uint8_t> kText{'h', 'e', 'l', 'l', 'o'};

// ---- Data files

class RuntimeDataFiles : public RuntimeTest {
  protected:
    void SetUp() override {
        const fs::path obr = folder.path() / "data" / "obr";
        writeFile(obr / "foo.old", kText);
        writeFile(obr / "Two Words.old", kText);
        writeFile(obr / "case.old", kText);
        writeFile(obr / "CASE.old", kText);
        writeFile(obr / "sub" / "deep.old", kText);
        writeFile(folder.path() / "data" / "Snd" / "Beep.WAV", kText);
    }
    // The found file relative to the program folder, or "-" for none.
    std::string found(const std::string& name) const {
        const auto file = runtime.files().resolve(name);
        return file ? file->lexically_relative(folder.path()).generic_string() : "-";
    }
};

TEST_F(RuntimeDataFiles, ResolvesTheGamesNamesAsItsFileSystemDid) {
    const std::string app = runtime.appPath();
    const struct {
        std::string name;
        const char* expected;
    } cases[] = {
        {"\\data\\obr\\foo.old", "data/obr/foo.old"},
        {"\\DATA\\OBR\\FOO.OLD", "data/obr/foo.old"},
        {"\\data\\obr\\Foo.OLD ", "data/obr/foo.old"},
        {"\\data \\obr  \\foo.old   ", "data/obr/foo.old"},
        {"data\\obr\\foo.old", "data/obr/foo.old"},
        {"\\data/obr/foo.old", "data/obr/foo.old"},
        {"\\data\\\\obr\\.\\foo.old", "data/obr/foo.old"},
        {"\\data\\obr\\SUB\\Deep.old", "data/obr/sub/deep.old"},
        {"\\data\\obr\\two words.OLD ", "data/obr/Two Words.old"},
        {"\\data\\snd\\beep.wav", "data/Snd/Beep.WAV"},
        // An exact spelling wins over one that differs in letter case only.
        {"\\data\\obr\\case.old", "data/obr/case.old"},
        {"\\data\\obr\\CASE.old", "data/obr/CASE.old"},
        // Names that start with the program folder.
        {app + "\\data\\obr\\foo.old", "data/obr/foo.old"},
        {app + "/Data/Obr/FOO.old ", "data/obr/foo.old"},
        {(folder.path() / "data" / "obr" / "foo.old").string(), "data/obr/foo.old"},
        // Blanks inside or before a name count; missing files and folders give nothing.
        {"\\data\\obr\\foo .old", "-"},
        {"\\data\\obr\\ foo.old", "-"},
        {"\\data\\obr\\TwoWords.old", "-"},
        {"\\data\\obr\\missing.old", "-"},
        {"\\data\\missing\\foo.old", "-"},
        {"\\data\\obr", "-"},
        {"\\data\\obr\\sub", "-"},
        {"\\data\\obr\\foo.old\\more", "-"},
        {"", "-"},
        {"\\", "-"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("name \"" + c.name + "\"");
        EXPECT_EQ(found(c.name), c.expected);
    }
}

TEST_F(RuntimeDataFiles, AppPathIsTheProgramFolderWithoutATrailingSeparator) {
    const struct {
        fs::path folder;
        const char* appPath;
    } cases[] = {
        {"/opt/vorkala", "/opt/vorkala"},
        {"/opt/vorkala/", "/opt/vorkala"},
        {"/", "/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DataFiles(c.folder).appPath(), c.appPath) << c.folder;
    }
}

TEST_F(RuntimeDataFiles, AFolderBesideTheProgramFolderIsNotPartOfIt) {
    // The program folder's name is a prefix of its neighbour's.
    const fs::path program = folder.path() / "game";
    writeFile(program / "data" / "x.old", kText);
    writeFile(folder.path() / "game2" / "x.old", kText);
    writeFile(folder.path() / "gamex.old", kText);
    const DataFiles files(program);
    const struct {
        std::string name;
        std::optional<fs::path> expected;
    } cases[] = {
        {files.appPath() + "\\data\\x.old", program / "data" / "x.old"},
        {(folder.path() / "game2" / "x.old").string(), folder.path() / "game2" / "x.old"},
        {(folder.path() / "gamex.old").string(), folder.path() / "gamex.old"},
        {(folder.path() / "game2" / "data" / "x.old").string(), std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(files.resolve(c.name), c.expected);
    }
}

TEST_F(RuntimeDataFiles, DataNamesLookInTheDataFolderWhenOneIsGiven) {
    const fs::path program = folder.path() / "bin";
    const fs::path data = folder.path() / "generated";
    writeFile(data / "obr" / "only.old", kText);
    writeFile(program / "readme.txt", kText);
    const DataFiles files(program, data);
    EXPECT_EQ(files.resolve("\\data\\obr\\ONLY.old"), data / "obr" / "only.old");
    EXPECT_EQ(files.resolve(files.appPath() + "\\Data\\obr\\only.old "), data / "obr" / "only.old");
    EXPECT_EQ(files.resolve("\\readme.txt"), program / "readme.txt");
    EXPECT_EQ(files.resolve("\\data\\obr\\foo.old"), std::nullopt);
}

TEST_F(RuntimeDataFiles, NewFilesAreFoundOnceListingsAreForgotten) {
    EXPECT_EQ(found("\\data\\obr\\late.old"), "-");
    writeFile(folder.path() / "data" / "obr" / "late.old", kText);
    runtime.files().forgetListings();
    EXPECT_EQ(found("\\data\\obr\\LATE.old"), "data/obr/late.old");
}

// ---- Pictures

class RuntimePictures : public RuntimeTest {
  protected:
    void SetUp() override {
        const fs::path obr = folder.path() / "data" / "obr";
        writeFile(obr / "pic.png", rttest::pngHeader(12, 34));
        writeFile(obr / "Wide.BMP", rttest::bmpHeader(640, 2));
        writeFile(obr / "topdown.bmp", rttest::bmpHeader(5, static_cast<std::uint32_t>(-9)));
    }
    // The run-time error a load raises, if any.
    std::optional<RuntimeError> loadError(const std::string& name) {
        try {
            runtime.loadPicture(name);
        } catch (const RuntimeError& error) {
            return error;
        }
        return std::nullopt;
    }
};

TEST_F(RuntimePictures, LoadsByTheGamesNameAndReadsTheSize) {
    const struct {
        const char* name;
        int width, height;
        const char* file;
    } cases[] = {
        {"\\data\\obr\\pic.png", 12, 34, "pic.png"},
        {"\\DATA\\obr\\PIC.png ", 12, 34, "pic.png"},
        {"\\data\\obr\\wide.bmp", 640, 2, "Wide.BMP"},
        {"\\data\\obr\\topdown.bmp", 5, 9, "topdown.bmp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PictureRef picture = runtime.loadPicture(c.name);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->width(), c.width);
        EXPECT_EQ(picture->height(), c.height);
        EXPECT_EQ(picture->source(), c.name);  // as the game wrote it
        EXPECT_EQ(picture->file(), folder.path() / "data" / "obr" / c.file);
    }
}

TEST_F(RuntimePictures, EveryLoadIsANewPictureTheFilesDataIsShared) {
    const PictureRef first = runtime.loadPicture("\\data\\obr\\pic.png");
    const PictureRef second = runtime.loadPicture("\\data\\obr\\pic.png");
    const PictureRef respelt = runtime.loadPicture("\\Data\\Obr\\Pic.PNG");
    const PictureRef other = runtime.loadPicture("\\data\\obr\\wide.bmp");
    EXPECT_NE(first, second);
    EXPECT_NE(first, respelt);
    EXPECT_EQ(&first->data(), &second->data());
    EXPECT_EQ(&first->data(), &respelt->data());
    EXPECT_NE(&first->data(), &other->data());
    EXPECT_EQ(respelt->source(), "\\Data\\Obr\\Pic.PNG");
}

TEST_F(RuntimePictures, AFileThatCannotBeLoadedRaisesAnErrorNamingItAndWhy) {
    const fs::path obr = folder.path() / "data" / "obr";
    writeFile(obr / "bad.png", {'n', 'o', 't'});
    writeFile(obr / "bomb.png", rttest::pngHeader(30000, 30000));
    ASSERT_EQ(mkfifo((obr / "fifo.png").c_str(), 0600), 0);
    const std::string data = (folder.path() / "data").string();
    const struct {
        const char* name;
        int code;
        std::string text;  // in the message besides the name
    } cases[] = {
        {"\\data\\obr\\gone.png", 53, "File not found"},
        {"\\data\\obr\\pic .png", 53, "looked for in the data folder " + data + ")"},
        {"\\data\\obr", 75, "is a folder, not a file"},
        {"\\data\\obr\\fifo.png", 75, "not a file"},
        {"\\data\\obr\\bomb.png", 481, "30000 x 30000 pixels"},
        {"\\data\\gone\\pic.png", 53, "set VORKALA_HOME to the folder that holds the game's data"},
        {"\\data\\obr\\bad.png", 481, "Invalid picture"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto error = loadError(c.name);
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->code(), c.code);
        const std::string what = error->what();
        EXPECT_NE(what.find(c.name), std::string::npos) << what;
        EXPECT_NE(what.find(c.text), std::string::npos) << what;
    }
    EXPECT_EQ(std::string(loadError("\\data\\obr\\pic.png x")->what()).find("VORKALA_HOME"),
              std::string::npos)
        << "a file missing from the right folder needs no hint";
    EXPECT_FALSE(loadError("\\data\\obr\\pic.png").has_value());
}

// Hands files on to the header reader, keeping each one it was given.
class KeepingDecoder : public PictureDecoder {
  public:
    std::optional<PictureData> decode(const fs::path& file) override {
        given.push_back(file.filename().string());
        return HeaderPictureDecoder().decode(file);
    }
    std::vector<std::string> given;
};

TEST_F(RuntimePictures, NoDecoderSeesAFileRefusedByItsHeaderOrKind) {
    const fs::path obr = folder.path() / "data" / "obr";
    writeFile(obr / "bomb.png", rttest::pngHeader(30000, 30000));
    writeFile(obr / "bad.png", {'n', 'o', 't'});
    ASSERT_EQ(mkfifo((obr / "fifo.png").c_str(), 0600), 0);
    KeepingDecoder decoder;
    const Platform& p = platform.platform();
    Platform keeping{p.clock,   p.pacer, p.input,    p.audio, p.video,         p.settings,
                     p.display, p.links, p.messages, decoder, p.programFolder, p.dataFolder};
    Runtime loader(keeping);
    for (const char* refused : {"bomb.png", "bad.png", "fifo.png"})
        EXPECT_THROW(loader.loadPicture(std::string("\\data\\obr\\") + refused), RuntimeError);
    EXPECT_TRUE(decoder.given.empty());
    loader.loadPicture("\\data\\obr\\pic.png");
    EXPECT_EQ(decoder.given, std::vector<std::string>{"pic.png"});
}

struct PictureControls : ControlSet {
    using ControlSet::ControlSet;
    Control Photo{*this,
                  "Photo",
                  ControlKind::Image,
                  {.width = 100, .height = 100, .picture = "\\data\\obr\\PIC.png"}};
    Control Frame{*this, "Frame", ControlKind::PictureBox, {.width = 100, .height = 100}};
};

TEST_F(RuntimePictures, ControlsLoadTheirDesignPictureAndTakeNewOnes) {
    HookScreen<PictureControls> screen{runtime, "Pictures"};
    EXPECT_EQ(screen.ui().Photo.picture()->width(), 12);
    EXPECT_EQ(screen.ui().Photo.property("Picture"), "\\data\\obr\\PIC.png");
    EXPECT_EQ(screen.ui().Frame.picture(), nullptr);

    EXPECT_TRUE(screen.ui().Frame.setProperty("Picture", "\\data\\obr\\wide.bmp"));
    EXPECT_EQ(screen.ui().Frame.picture()->width(), 640);
    // "Shows the same picture" is sharing the object.
    screen.ui().Frame.setPicture(screen.ui().Photo.picture());
    EXPECT_EQ(screen.ui().Frame.picture(), screen.ui().Photo.picture());

    // A missing picture is a run-time error wherever it is set.
    std::vector<int> codes;
    runtime.setUnhandledErrorHook(
        [&](const RuntimeError& error) { codes.push_back(error.code()); });
    runtime.runTopLevel([&] { screen.ui().Frame.setProperty("Picture", "\\data\\obr\\no.png"); });
    EXPECT_EQ(codes, (std::vector<int>{53}));
}

// ---- Sound channels

TEST(RuntimeChannelRules, APlayStartsOnceAfterEachOpen) {
    using E = ChannelRules::Effect;
    const struct {
        std::vector<const char*> commands;
        std::vector<E> effects;
    } cases[] = {
        {{"Open", "Play"}, {E::Open, E::Start}},
        {{"Open", "play", "Play", "PLAY"}, {E::Open, E::Start, E::None, E::None}},
        {{"OPEN", "pLaY"}, {E::Open, E::Start}},
        {{"Play"}, {E::None}},
        {{"Close"}, {E::None}},
        {{"Open", "Play", "Open", "Play"}, {E::Open, E::Start, E::None, E::None}},
        {{"Open", "Play", "Close", "Open", "Play"},
         {E::Open, E::Start, E::Stop, E::Open, E::Start}},
        {{"open", "close", "play"}, {E::Open, E::Stop, E::None}},
        {{"Open", "Open", "Play", "Play"}, {E::Open, E::None, E::Start, E::None}},
        {{"Open", "Seek", "Play"}, {E::Open, E::None, E::Start}},
        {{"Close", "CLOSE", "Open", "Play", "close", "close", "open", "play"},
         {E::None, E::None, E::Open, E::Start, E::Stop, E::None, E::Open, E::Start}},
    };
    for (const auto& c : cases) {
        ChannelRules rules;
        std::vector<E> effects;
        std::string trace;
        for (const char* command : c.commands) {
            effects.push_back(rules.apply(command));
            trace += std::string(command) + " ";
        }
        EXPECT_EQ(effects, c.effects) << trace;
    }
}

struct SoundControls : ControlSet {
    using ControlSet::ControlSet;
    SoundChannel MMControl1{*this, "MMControl1"};
    SoundChannel MMControl2{*this, "MMControl2"};
};

class RuntimeSoundChannels : public RuntimeTest {
  protected:
    void SetUp() override {
        writeFile(folder.path() / "data" / "snd" / "beep.wav", kText);
        screen.onLoad = [this] {
            for (SoundChannel* channel : {&screen.ui().MMControl1, &screen.ui().MMControl2}) {
                channel->clearOptions();
                channel->setDeviceType("WaveAudio");
                channel->setFileName("\\data\\snd\\BEEP.wav");
            }
        };
    }
    HookScreen<SoundControls> screen{runtime, "Sounds"};
    SoundControls& ui() { return screen.ui(); }
    const std::vector<std::string>& started() const { return platform.audio.started(); }
};

TEST_F(RuntimeSoundChannels, EveryCommandIsRecordedOnlyAllowedPlaysStart) {
    using Started = std::vector<std::string>;
    const struct {
        const char* command;
        Started started;  // all that started so far
        bool playing;
    } steps[] = {
        {"Play", {}, false},  // not open yet
        {"Open", {}, false},
        {"play", {"Sounds.MMControl1"}, true},
        {"Play", {"Sounds.MMControl1"}, true},  // already played since the Open
        {"Open", {"Sounds.MMControl1"}, true},
        {"PLAY", {"Sounds.MMControl1"}, true},
        {"Close", {"Sounds.MMControl1"}, false},
        {"Play", {"Sounds.MMControl1"}, false},
        {"open", {"Sounds.MMControl1"}, false},
        {"Play", {"Sounds.MMControl1", "Sounds.MMControl1"}, true},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.command);
        const std::size_t recorded = platform.audio.commands().size();
        ui().MMControl1.setCommand(s.command);
        ASSERT_EQ(platform.audio.commands().size(), recorded + 1);
        const ChannelCommand& last = platform.audio.commands().back();
        EXPECT_EQ(last.owner, "Sounds.MMControl1");
        EXPECT_EQ(last.deviceType, "WaveAudio");
        EXPECT_EQ(last.fileName, "\\data\\snd\\BEEP.wav");
        EXPECT_EQ(last.command, s.command);  // as the game spelled it
        EXPECT_EQ(started(), s.started);
        EXPECT_EQ(platform.audio.isPlaying("Sounds.MMControl1"), s.playing);
        EXPECT_EQ(ui().MMControl1.property("Command"), s.command);
    }
}

TEST_F(RuntimeSoundChannels, ChannelsAreIndependentAndCommandsByNameAreTheSame) {
    ui().MMControl1.setCommand("Open");
    ui().MMControl1.setCommand("Play");
    EXPECT_TRUE(ui().MMControl2.setProperty("Command", "Open"));
    EXPECT_TRUE(ui().MMControl2.setProperty("Command", "play"));
    EXPECT_TRUE(ui().MMControl2.setProperty("Command", "play"));
    EXPECT_EQ(started(), (std::vector<std::string>{"Sounds.MMControl1", "Sounds.MMControl2"}));
    EXPECT_EQ(platform.audio.commands().size(), 5u);

    ui().MMControl1.setCommand("Close");
    EXPECT_FALSE(platform.audio.isPlaying("Sounds.MMControl1"));
    EXPECT_TRUE(platform.audio.isPlaying("Sounds.MMControl2"));
    EXPECT_EQ(ui().MMControl2.property("FileName"), "\\data\\snd\\BEEP.wav");
    EXPECT_EQ(ui().MMControl2.property("DeviceType"), "WaveAudio");
}

TEST_F(RuntimeSoundChannels, AReloadedScreenHasFreshChannels) {
    ui().MMControl1.setCommand("Open");
    ui().MMControl1.setCommand("Play");
    screen.unload();  // releases what the channel holds
    EXPECT_FALSE(platform.audio.isPlaying("Sounds.MMControl1"));
    ui().MMControl1.setCommand("Play");  // a new channel, not opened
    EXPECT_EQ(started().size(), 1u);
    ui().MMControl1.setCommand("Open");
    ui().MMControl1.setCommand("Play");
    EXPECT_EQ(started().size(), 2u);
}

}  // namespace
}  // namespace vk
