// A main window for the tests of Video objects: media opened from a table of fake files
// (fake_video_playback.h) on a virtual clock, a file dialog with a scripted answer, and a log of the
// events, effects and messages a video gives.
#pragma once

#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "fake_video_playback.h"
#include "hosts/headless/virtual_clock.h"
#include "objects/picture_cache.h"
#include "objects/video/video_owner.h"
#include "objects/video/video_window.h"
#include "script/variable_store.h"

namespace velk::test {

class DialogUi : public host::Ui {
  public:
    host::MessageAnswer Ask(std::string_view, std::string_view text, host::MessageButtons,
                            host::MessageIcon) override {
        messages.emplace_back(text);
        return host::MessageAnswer::kOk;
    }
    void LoadProgress(std::uint32_t) override {}
    void MessageNamingFile(std::string_view, std::string_view before, std::string_view shown,
                           std::string_view after) override {
        messages.push_back(std::string(before) + std::string(shown) + std::string(after));
    }
    std::optional<host::FileChoice> ChooseFile(const host::FileDialog& dialog) override {
        dialogs.push_back(dialog);
        if (!answer) return std::nullopt;
        return host::FileChoice{*answer};
    }
    std::optional<std::string> answer;
    std::vector<host::FileDialog> dialogs;
    std::vector<std::string> messages;
};

class VideoLogObserver : public host::Observer {
  public:
    explicit VideoLogObserver(std::vector<std::string>& log) : log_(log) {}
    void VideoEvent(std::string_view object, std::string_view verb,
                    std::string_view argument) override {
        log_.push_back("video " + std::string(object) + " " + std::string(verb) +
                       (argument.empty() ? "" : " " + std::string(argument)));
    }

  private:
    std::vector<std::string>& log_;
};

class FakeVideoOwner : public VideoOwner {
  public:
    // Files that exist; those with info open, the others exist but do not play.
    std::map<std::string, std::optional<media::MediaInfo>> files;
    headless::VirtualClock clock;
    DialogUi ui;
    std::vector<std::string> log;  // effects, in order
    std::vector<std::int32_t> events;
    std::map<std::string, std::string> displays;
    VariableStore variables;
    PictureCache pictures{ui};
    bool polling = false;
    std::weak_ptr<VideoWindow> polled;
    // Runs when an event is reported, after it is logged (what the object's lists would do).
    std::function<void(Object&, VideoEvent)> on_event;

    std::unique_ptr<media::Playback> OpenMedia(std::string_view path) override {
        auto it = files.find(std::string(path));
        if (it == files.end() || !it->second) return nullptr;
        return std::make_unique<FakePlayback>(clock, *it->second);
    }
    bool MediaFileExists(std::string_view path) override {
        return files.contains(std::string(path));
    }
    std::string ExpandPath(std::string_view path) override {
        std::string text(path);
        const std::string macro = "<SrcDir>\\";
        if (text.starts_with(macro)) text = "Z:\\show\\" + text.substr(macro.size());
        return text;
    }
    double Evaluate(std::string_view expression) override {
        return std::strtod(std::string(expression).c_str(), nullptr);
    }
    host::Ui& Ui() override { return ui; }
    host::Observer& Observer() override { return observer_; }
    VariableStore& Variables() override { return variables; }
    PictureCache& Pictures() override { return pictures; }
    void ShowMessageNamingFile(std::string_view before, std::string_view path) override {
        ui.MessageNamingFile({}, before, path, {});
    }
    void ShowInDisplay(std::string_view name, std::string_view text) override {
        displays[std::string(name)] = std::string(text);
    }
    void ReportVideoEvent(Object& video, VideoEvent event) override {
        events.push_back(static_cast<std::int32_t>(event));
        if (on_event) on_event(video, event);
    }
    void StartVideoPolling(const std::shared_ptr<VideoWindow>& window) override {
        polling = true;
        polled = window;
    }
    void StopVideoPolling() override { polling = false; }
    void VideoChanged(const Rect&) override {}

  private:
    VideoLogObserver observer_{log};
};

}  // namespace velk::test
