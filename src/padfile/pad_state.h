// What the pad on disk holds, what memory holds that it lacks, and what the user has been
// told: every rule of saving reads and sets this one record.
#pragma once

#include "padfile/pages_file_format.h"
#include "platform/files.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One version of the file, told apart by its size and digest.
struct PadVersion {
    bool present = false;
    std::uint64_t size = 0;
    std::uint64_t digest = 0;
    bool operator==(const PadVersion&) const = default;
};

struct PadSaveState {
    // The file as this run last read or wrote it; empty while nothing is known of it.
    std::optional<PadVersion> lastSeen;
    // Its stamp then: a look that finds the same stamp takes the file for unchanged.
    std::optional<FileStamp> lastStamp;
    // The version of the pad's pages that the pages in memory build on (the last one written
    // or taken in; an id of its pages alone), whether this computer wrote it, whether its file
    // has the versions line, and the ids of the versions it grew from, newest first.
    std::uint64_t versionHere = 0;
    bool versionHereOwn = false;
    bool versionHereLine = false;
    std::vector<std::uint64_t> grewFrom;
    // The pad has met another version of itself: its saves carry the versions line.
    bool carriesVersions = false;
    // The history of versions is read when first needed, not at the start; until then the
    // version read at the start waits to join it.
    bool historyDue = false;
    std::vector<std::uint64_t> keysRead;
    bool keysReadUtf8 = false;
    // The last version another program put there, and the backup name it is kept under
    // (empty while it is not kept): it is copied and told once however many saves follow.
    std::optional<PadVersion> foreign;
    std::string foreignBackup;
    // The header values the file holds as last read or written.
    FileHeaderValues headerOfFile;
    // The file as last seen is exactly what a save of headerOfFile and the pages writes,
    // as long as the pages are not ahead of it.
    bool fileHoldsPages = false;

    // The pad keeps its text in UTF-8 instead of the code page; once it is, it stays so. It
    // is written behind the mark (EF BB BF) when it was read so or turned UTF-8 here, and
    // without it when it was read so.
    bool utf8 = false;
    bool utf8Mark = false;

    // The pages in memory hold something the file lacks: a change, an inserted page, or
    // pages the file lost to another program.
    bool pagesAhead = false;
    // A save that carried such a change failed and none has succeeded since: every later
    // moment that stores tries again, and the title says so.
    bool unsaved = false;
    // The user has heard of the present spell of failed saves (or is asked instead).
    bool toldUnsaved = false;
    // The notice of failed saves waits for the user's next action.
    bool unsavedNoticeDue = false;
    // Other notices that wait for the user's next action.
    std::vector<std::string> news;
    // Sync clients' conflicted copies whose pages were brought in: each is removed, and the
    // user told, once a save holds them. Those that did not read as pads are left alone.
    std::vector<std::string> copiesBroughtIn;
    std::vector<std::string> copiesLeftAlone;
    // Versions that another program put in place while a save replaced the pad, under the
    // names they are kept by: brought in as conflicted copies are, and removed without a word
    // once a save holds them.
    std::vector<std::string> lateVersions;
    // A moment when no box may show: a pause in typing, a move, closing, the session's end.
    bool quiet = false;
    // The page whose text field last refused a key or a paste for lack of room, 0 for none:
    // the title says it is full until the field takes a key, or the user's next action.
    std::int32_t fullPage = 0;
};

extern PadSaveState SaveState;

// Tells the user now, or at their next action when this is a quiet moment.
void TellAboutPad(std::string_view text);
// Tells once per spell of failed saves that the pad could not be saved.
void TellUnsaved();
// Shows what waited for the user's action, and ends the title's word that a page is full;
// nothing while the moment is quiet.
void TellPadNews();
// The window's title shows whether the pad holds everything, and a page found full.
void ShowSavedStateInTitle();
// The title says that the page is full (0: no longer).
void ShowPageFullInTitle(std::int32_t page);

// Runs the work at a quiet moment: notices it makes wait for the user's next action.
void Quietly(const std::function<void()>& work);
