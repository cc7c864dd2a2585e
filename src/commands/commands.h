// Inside the commands module: what one performed record sees, and the command families the
// dispatcher hands codes to. Not for use outside src/commands/.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "base/geometry.h"
#include "commands/if_levels.h"
#include "document/action_list.h"
#include "document/object.h"
#include "document/page.h"

namespace velk {

class CommandOwner;
class Dispatcher;
class RecordPrograms;

// The state of one dispatcher run; a nested run has its own.
struct RunFrame {
    // The list being run and the next record of it; a For loop takes its body from here.
    const ActionList* list = nullptr;
    std::size_t position = 0;
    // The records' expressions prepared for a list run again and again; null otherwise.
    RecordPrograms* programs = nullptr;
    // What the performed commands changed; repainted once at the end of the list.
    Rect repaint;
    IfLevels ifs;

    // Joins `rect` to the repaint rectangle.
    void Repaint(const Rect& rect) { repaint = repaint.Union(rect); }
};

// One record as a command sees it.
struct CommandContext {
    CommandOwner& owner;
    Dispatcher& dispatcher;
    RunFrame& frame;
    const ActionRecord& record;
    // The record's target after ResolveText.
    std::string target;
    // The name the target object was looked up by (the target, or its index form expanded).
    std::string object_name;
    // The target object; null when the target names none.
    Object* object = nullptr;
    // The page named before "::" in the target; null without "::" or when no page has that name.
    Page* named_page = nullptr;

    // The page a visibility or placement command works on: the named page, else the current one.
    Page* PageForTarget() const;
    // The record's argument after ResolveText.
    std::string Argument() const;
};

// What a command tells the dispatcher.
enum class CommandResult {
    kGoOn,
    // The player is stopping or a wait was given up: the whole list ends with 0.
    kEndList,
};

// The statement codes (99 to 104) while records run.
CommandResult PerformStatement(CommandContext& ctx);

// What performs one command. Every command the player plays has one row, {code, &body}, beside
// its body in its family's file; the dispatcher finds the body by the record's code.
using CommandBody = CommandResult (*)(CommandContext&);
struct CommandRow {
    std::int32_t code;
    CommandBody body;
};

// The rows of each family. A new family is also listed in CommandFamilies (command_lookup.cpp).
std::span<const CommandRow> VisibilityCommands();   // Hide, Show, Invert
std::span<const CommandRow> PlacementCommands();    // MoveObject, MoveTo
std::span<const CommandRow> NavigationCommands();   // FirstPage ... PrevPage, Page
std::span<const CommandRow> TimerCommands();        // PageTimer, ExitTimer
std::span<const CommandRow> WindowCommands();       // Exit, Minimize, Restore, Refresh
std::span<const CommandRow> ProjectCommands();      // RunVKD
std::span<const CommandRow> AnimatedGifCommands();  // AGifPlay, AGifStop, AGifReset
std::span<const CommandRow> VideoCommands();        // VideoLoad ... VideoParam
// SetImageOrigin ... SetImageBkgColor (the image view) and ReplaceImage.
std::span<const CommandRow> ImageViewCommands();
// Return, Break, RunScript, ScriptTimer, Pause, Message and DisplayValue.
std::span<const CommandRow> ScriptCommands();
// InstallTTS, InitTTS, Say, SpeakText, StopTTS, PauseTTS, ResumeTTS, PitchTTS and SpeedTTS.
std::span<const CommandRow> SpeechCommands();
std::span<const CommandRow> MciCommands();  // MCIObject, MCICommand
// SongListReset, Add, Del, Load, RND, Save and Edit.
std::span<const CommandRow> SongListCommands();

// The integer a text begins with, read as a C library would: white space, a sign, digits.
// Saturates instead of overflowing; 0 without digits.
std::int32_t LeadingInteger(std::string_view text);

// An expression's value as the integer the commands use (truncated toward zero, saturated).
std::int32_t EvaluateInt(CommandOwner& owner, std::string_view expression);

}  // namespace velk
