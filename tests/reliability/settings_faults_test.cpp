// The settings file under faults: writers killed at any moment, two
// processes writing at once, and files that are damaged or cannot be read.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <thread>

#include "adapters/headless/atomic_file.h"
#include "adapters/headless/file_settings_store.h"
#include "adapters/headless/headless_platform.h"
#include "adapters/headless/settings_document.h"
#include "core/component.h"
#include "core/settings.h"
#include "core/wayfinder.h"

namespace brackwell::reliability {
namespace {

namespace fs = std::filesystem;

// Two complete sets of preferences that differ in every key.
Settings SetA() { return {true, false, 2, 255, 65280, 16711680, false}; }
Settings SetB() { return {false, true, 3, 128, 32768, 8388608, true}; }

// Written key by key, a file may hold some keys of one set and some of the
// other; each single value must still be one of the two.
bool EachValueOfOneSet(const Settings& s) {
    const Settings a = SetA();
    const Settings b = SetB();
    return (s.Drag == a.Drag || s.Drag == b.Drag) && (s.WBFore == a.WBFore || s.WBFore == b.WBFore) &&
           (s.SHFore == a.SHFore || s.SHFore == b.SHFore) && (s.NameFore == a.NameFore || s.NameFore == b.NameFore);
}

class SettingsFaults : public ::testing::Test {
protected:
    SettingsFaults() {
        folder = fs::temp_directory_path() /
                 ("brackwell-faults-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    ~SettingsFaults() override { fs::remove_all(folder); }

    fs::path File() const { return folder / "settings.ini"; }

    // A whole file: one we wrote, every line readable, nothing cut short.
    ::testing::AssertionResult Whole() const {
        const auto text = headless::ReadWholeFile(File());
        if (!text) return ::testing::AssertionFailure() << "the file cannot be read";
        const auto document = headless::SettingsDocument::FromText(*text);
        if (document.FirstDamagedLine() != 0 || document.ToText() != *text)
            return ::testing::AssertionFailure() << "half a file:\n" << *text;
        try {
            headless::FileSettingsStore store(File());
            if (!EachValueOfOneSet(LoadSettings(store)))
                return ::testing::AssertionFailure() << "a value of neither set";
        } catch (const AutomationError& e) {
            return ::testing::AssertionFailure() << e.Description();
        }
        return ::testing::AssertionSuccess();
    }

    // A child process that writes the two sets in turn until it is killed.
    pid_t StartWriter(bool startWithA) {
        const pid_t child = fork();
        if (child == 0) {
            headless::FileSettingsStore store(File());
            for (bool a = startWithA;; a = !a) {
                try {
                    SaveSettings(store, a ? SetA() : SetB());
                } catch (...) {
                    _exit(3);
                }
            }
        }
        return child;
    }

    int TemporaryFiles() const {
        int count = 0;
        for (const auto& entry : fs::directory_iterator(folder)) count += entry.path() != File();
        return count;
    }

    fs::path folder;
};

TEST_F(SettingsFaults, AWriterKilledAtAnyMomentLeavesTheOldOrTheNewFileWhole) {
    headless::FileSettingsStore store(File());
    SaveSettings(store, SetA());
    std::mt19937 random(4711);
    constexpr int kKills = 60;
    int betweenTemporaryAndRename = 0;
    for (int i = 0; i < kKills; ++i) {
        const int before = TemporaryFiles();
        const pid_t writer = StartWriter(i % 2 == 0);
        ASSERT_GT(writer, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(200, 5000)(random)));
        kill(writer, SIGKILL);
        int status = 0;
        waitpid(writer, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself";
        ASSERT_TRUE(Whole()) << "after kill " << i;
        // A temporary file left behind means the kill came after it was
        // written and before it was renamed over the settings file.
        if (TemporaryFiles() > before) ++betweenTemporaryAndRename;
    }
    std::cout << "settings: " << kKills << " writers killed, the file whole after each; " << betweenTemporaryAndRename
              << " killed between the temporary file and the rename\n";
}

TEST_F(SettingsFaults, AWriteThatFailsBeforeTheRenameLeavesTheOldFileAndNoTemporaryOne) {
    headless::FileSettingsStore store(File());
    SaveSettings(store, SetA());
    const auto before = headless::ReadWholeFile(File());
    const pid_t child = fork();
    if (child == 0) {
        // No file may grow: the temporary file is made, its bytes fail.
        signal(SIGXFSZ, SIG_IGN);
        const rlimit nothing{0, 0};
        setrlimit(RLIMIT_FSIZE, &nothing);
        try {
            SaveSettings(store, SetB());
        } catch (const AutomationError& e) {
            _exit(e.Number() == headless::kPathFileAccessError ? 0 : 2);
        }
        _exit(1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the failed write raised error 75";
    EXPECT_EQ(headless::ReadWholeFile(File()), before);
    EXPECT_EQ(TemporaryFiles(), 0);
}

TEST_F(SettingsFaults, TwoProcessesWritingAtOnceLeaveAWholeFileThatReadersAlwaysSeeWhole) {
    headless::FileSettingsStore store(File());
    SaveSettings(store, SetA());
    const pid_t first = StartWriter(true);
    const pid_t second = StartWriter(false);
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    int reads = 0;
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(400);
    bool whole = true;
    while (whole && std::chrono::steady_clock::now() < until) {
        whole = static_cast<bool>(Whole());
        ++reads;
    }
    kill(first, SIGKILL);
    kill(second, SIGKILL);
    waitpid(first, nullptr, 0);
    waitpid(second, nullptr, 0);
    EXPECT_TRUE(whole) << "a reader saw half a file after " << reads << " reads";
    EXPECT_TRUE(Whole());
    if (whole) std::cout << "settings: two writers at once, " << reads << " reads meanwhile, every one whole\n";
}

TEST_F(SettingsFaults, ADamagedOrUnreadableFileFailsTheCreationNamingTheKeyUntilTheOptionsRewriteIt) {
    const std::string good = "[Brackwell\\Settings]\nTheme=False\nDrag=3\n";
    const std::vector<std::pair<std::string, std::string>> damaged = {
        {"cut short", good.substr(0, good.size() - 4)},
        {"binary", std::string("\x00\x01\xFF\xFE garbage", 13)},
        {"a key before any group", "Theme=False\n[Brackwell\\Settings]\nDrag=3\n"},
        {"a broken group line", "[Brackwell\\Settings\nTheme=False\n"},
    };
    const auto createNavigator = [&] {
        headless::HeadlessPlatform platform(std::make_unique<headless::FileSettingsStore>(File()));
        Component component(platform);
        Wayfinder nav(component);
        return component.settings;
    };
    // The creation's failure as "number: description", or "created".
    const auto creationFailure = [&]() -> std::string {
        try {
            createNavigator();
        } catch (const AutomationError& e) {
            return std::to_string(e.Number()) + ": " + e.Description();
        }
        return "created";
    };
    for (const auto& [what, content] : damaged) {
        std::ofstream(File(), std::ios::binary) << content;
        const std::string failure = creationFailure();
        EXPECT_EQ(failure.rfind("13: ", 0), 0u) << what << ": " << failure;
        EXPECT_NE(failure.find("Einstellung \"Theme\""), std::string::npos) << what << ": " << failure;
        EXPECT_NE(failure.find("beschädigt"), std::string::npos) << what << ": " << failure;
    }

    // A folder where the file should be: there, but not readable.
    fs::remove(File());
    fs::create_directory(File());
    const std::string failure = creationFailure();
    EXPECT_EQ(failure.rfind("13: ", 0), 0u) << failure;
    EXPECT_NE(failure.find("Einstellung \"Theme\" nicht lesbar"), std::string::npos) << failure;
    fs::remove(File());

    // The options dialog's OK writes every key over a damaged file: the next
    // navigator starts again.
    std::ofstream(File(), std::ios::binary) << damaged[0].second;
    headless::FileSettingsStore store(File());
    SaveSettings(store, SetB());
    EXPECT_TRUE(Whole());
    EXPECT_EQ(createNavigator().Drag, 3);
}

}  // namespace
}  // namespace brackwell::reliability
