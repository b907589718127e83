// Two or more PCs sharing one pad through a sync client, played in one process: each PC has
// its own folder, history folder and copy of the program's state, swapped in while it acts.
#pragma once

#include "support/temp_folder.h"

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

struct PcProgram; // one PC's share of the program's globals, kept while another PC acts

class SyncedPcs {
  public:
    // Every PC starts its program on the same pad of these pages (page 1 first). Unsure of
    // first meetings: a text typed over or deleted before the pad named what it grew from
    // may stay beside the newer one, and backups may stay (see Lineless).
    SyncedPcs(int count, const std::vector<std::string>& pages, bool unsureOfFirstMeetings);
    ~SyncedPcs();

    // One step, in words (PCs are A, B, C...): "A type 2" (the next word typed on page 2,
    // and the pause), "A new", "A insert 2", "A delete 2" (the question answered Yes),
    // "A off", "A on", "A restart", "A>B" (A's files delivered to B through the client).
    void Step(const std::string& step);
    // Every PC on line, then deliveries and window activations round after round until one
    // changes nothing; false when none came within the rounds given.
    bool Rest(int rounds);
    // What is wrong at rest, one line each; empty when nothing is.
    std::vector<std::string> Faults();

    std::vector<std::string> PagesOf(int pc);

  private:
    struct Pc {
        std::filesystem::path folder, history;
        std::unique_ptr<PcProgram> program;
        std::map<std::string, std::string> known; // each file as last agreed with the others
        bool online = true;
        bool running = false;
    };

    Pc& At(int pc) { return pcs_[static_cast<std::size_t>(pc)]; }
    void Activate(int pc);
    void Start();
    void Close();
    void GoTo(int page);
    // Reconciles the PC's files with the others' through the client; true when it changed any
    // of them here (the window then looks, as at a folder change).
    bool Sync(int pc);
    void Deliver(int from, int to);

    TempFolder root_;
    std::vector<Pc> pcs_;
    int active_ = -1;
    std::map<std::string, std::string> shared_; // the files as the client last spread them
    bool unsure_;
    int words_ = 0, conflicts_ = 0;
    // The user's words: a page's text once typed on, what it was before, what went with a page.
    std::set<std::string> typed_, replaced_, deleted_;
};
