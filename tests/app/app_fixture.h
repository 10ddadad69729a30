#pragma once
// A started application for the shell's tests: okap.ini in a fresh
// configuration folder (XDG_CONFIG_HOME), a fresh home and state folder
// (HOME, XDG_STATE_HOME), existing program, map and data folders, and a
// script in place of the user for modal dialogs.

#include <QCoreApplication>
#include <QDialog>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/dialogs/modal_dialog.h"
#include "app/frame/okap_app.h"
#include "core/globals.h"
#include "support/temp_dir.h"

namespace okap::test {

class AppFixture : public testing::Test {
protected:
    AppFixture() {
        for (const char* variable : kVariables) {
            const char* value = std::getenv(variable);
            previousEnvironment.emplace_back(variable, value ? std::optional<std::string>(value) : std::nullopt);
        }
        UseConfigFolder(dir / "config");
        setenv("HOME", (dir / "home").c_str(), 1);
        setenv("XDG_STATE_HOME", (dir / "state").c_str(), 1);
        for (const char* folder : {"program", "maps", "data", "home"}) std::filesystem::create_directories(dir / folder);
        previousRunner = SetModalDialogRunner([this](QDialog& dialog) {
            ++dialogsRun;
            return script ? script(dialog) : static_cast<int>(QDialog::Rejected);
        });
    }

    ~AppFixture() override {
        application.reset();
        // A quit asked for at start must not end a later test's event loop.
        QCoreApplication::removePostedEvents(qApp, QEvent::MetaCall);
        SetModalDialogRunner(previousRunner);
        for (const auto& [variable, value] : previousEnvironment) {
            if (value) {
                setenv(variable, value->c_str(), 1);
            } else {
                unsetenv(variable);
            }
        }
        ResetGlobals();
    }

    void UseConfigFolder(const std::filesystem::path& folder) { setenv("XDG_CONFIG_HOME", folder.c_str(), 1); }

    std::filesystem::path IniPath() const { return dir / "config" / "okap" / "okap.ini"; }

    void WriteIni(const std::string& contents) const {
        std::filesystem::create_directories(IniPath().parent_path());
        dir.Write("config/okap/okap.ini", contents);
    }

    std::string Path(const char* folder) const { return (dir / folder).string(); }

    // A complete okap.ini, as a user's file might look.
    std::string GoodIni() const {
        return "[File Paths]\r\n"
               "Program Files = " + Path("program") + "\r\n"
               "Map Files     = " + Path("maps") + "\r\n"
               "Data Files    = " + Path("data") + "\r\n"
               "\r\n"
               "[Configuration]\r\n"
               "Metafile resolution     = 1000\r\n"
               "Postscript modification = 2\r\n";
    }

    // Starts the application: InitMainWindow over the okap.ini written.
    okapApp& Start() {
        application = std::make_unique<okapApp>();
        application->InitMainWindow();
        return *application;
    }

    TempDir dir;
    std::unique_ptr<okapApp> application;
    // What the "user" does with each modal dialog; none: Cancel.
    std::function<int(QDialog&)> script;
    int dialogsRun = 0;

private:
    static constexpr const char* kVariables[] = {"XDG_CONFIG_HOME", "XDG_STATE_HOME", "HOME"};
    std::vector<std::pair<const char*, std::optional<std::string>>> previousEnvironment;
    ModalDialogRunner previousRunner;
};

}  // namespace okap::test
