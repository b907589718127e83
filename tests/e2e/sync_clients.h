// The two sync clients that sync_clients.sh runs on this machine, "PC A" and "PC B": a
// folder mirrored between them, and taking them off line and back through their REST API.
#pragma once

#include "process.h"

#include <string>
#include <vector>

// A fresh folder in PC A's synced folder and the same in PC B's, with this pad in both once
// the sync clients, on line, have carried it over; both removed at the end.
class SyncedFolders {
  public:
    explicit SyncedFolders(const std::vector<std::string>& pages);
    const WorkFolder& A() const { return a_; }
    const WorkFolder& B() const { return b_; }

  private:
    std::string name_;
    WorkFolder a_;
    WorkFolder b_;
};

// Each PC pauses the other device, and waits until neither is connected; and back.
void GoOffLine();
void GoOnLine();
