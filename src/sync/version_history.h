// The versions of the pad this computer wrote or took in, known by ids that every computer
// gives the same pages: kept outside the synced folder, so that the version two computers
// both grew from can be found after restarts too.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A version's id: a digest of its pages alone (their keys in the pad's form), so that the
// header and the window's position, which differ from computer to computer, don't count.
using VersionId = std::uint64_t;
VersionId VersionIdOf(const std::vector<std::uint64_t>& pageKeys);

struct KnownVersion {
    VersionId id = 0;
    bool utf8 = false;               // the form its keys were taken in
    std::vector<std::uint64_t> keys; // a key per page, page 1 first
};

struct PadHistory {
    // Those whose pages are still known, oldest first: the bases a merge can use.
    std::vector<KnownVersion> versions;
    // Older ones, by id alone, oldest first: still known never to be new.
    std::vector<VersionId> olderIds;
};

extern PadHistory History;
// Where the history is kept; empty keeps it in memory only.
extern std::string HistoryFileName;

// The history's file for the pad in this folder (its full path), in the folder given: one
// file per pad, named by a digest of the folder's name as Windows compares names.
std::string HistoryFileFor(std::string_view historyFolder, std::string_view padFolder);

// Reads the history's file; a missing, damaged or foreign one is no history.
void LoadHistory();
// One more version written or taken in: the newest now. Kept within bounds (oldest out) and
// written to the history's file; a file that can't be written costs only the history.
void RememberVersion(VersionId id, bool utf8, std::vector<std::uint64_t> keys);
// Versions known by id alone: those another version named as the ones it grew from.
void RememberIds(const std::vector<VersionId>& ids);
bool VersionKnown(VersionId id);
const KnownVersion* FindKnownVersion(VersionId id);

// The history's bytes and back; false for bytes that are not a whole history.
std::string HistoryBytes(const PadHistory& history);
bool ParseHistory(std::string_view bytes, PadHistory& history);
