// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What both fuzz targets share: a private folder, a Ui that answers every dialog with a file of
// that folder, and the four convert commands run on whatever the load accepted.

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/DialogRAW.h"
#include "app/FileNames.h"
#include "app/Form1.h"
#include "app/Ui.h"
#include "platform/FileChecks.h"

namespace tessera::fuzz {

// Answers dialogs from what it was told and says Yes to every question.
class FuzzUi : public Ui {
  public:
    std::string openPath, savePath;
    std::string rawWidth = "320", rawHeight = "240";
    bool raw24 = false;

    bool showOpen(CommonDialog& d) override { return answer(d, openPath); }
    bool showSave(CommonDialog& d) override { return answer(d, savePath); }
    MsgAnswer msgBox(const std::string&, MsgStyle) override { return MsgAnswer::Yes; }
    void showRawDialog(DialogRAW& d) override {
        d.txtRAWWidth.Text() = rawWidth;
        d.txtRAWHeight.Text() = rawHeight;
        if (raw24)
            d.opt24b.click();
        d.OKButton.click();
    }
    // A file of several blocks: the first one, as a person taking the list's default would.
    int chooseItem(const std::string&, const std::vector<std::string>& items) override {
        return items.empty() ? -1 : 0;
    }

  private:
    static bool answer(CommonDialog& d, const std::string& path) {
        d.FileName = path;
        d.FileTitle = baseOf(path);
        return true;
    }
};

class FuzzSession {
  public:
    FuzzSession() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tessera-fuzz-XXXXXX");
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        dir_ = pattern;
    }
    ~FuzzSession() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    void writeInput(const std::string& name, const std::uint8_t* data, std::size_t size) const {
        std::FILE* f = std::fopen(path(name).c_str(), "wb");
        if (f == nullptr || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0)
            std::abort();
    }

    // New C text, C text added to a file that holds some already, and the binary output.
    template <typename Convert, typename Add>
    void convertAll(FuzzUi& ui, Convert convert, Add add, const char* binaryName) const {
        for (const char* name : {"out.h", binaryName}) {
            ui.savePath = path(name);
            convert();
        }
        ui.savePath = path("out.h");
        add();
        std::error_code ec;
        for (const char* name : {"out.h", binaryName})
            std::filesystem::remove(path(name), ec);
    }

  private:
    std::filesystem::path dir_;
};

}  // namespace tessera::fuzz
