#pragma once

#include "BenchFolder.h"

#include "widgets/FileList.h"

#include <optional>
#include <string>
#include <vector>

namespace vornak::bench {

// Another program doing the same job, where it is installed.
struct PeerResult {
    const char* name;
    double seconds;
};

struct WorkloadResult {
    double oursSeconds;
    // The plain system-call loop doing the same work (for plan, the list workload's time);
    // nothing for absolute workloads.
    std::optional<double> limitSeconds;
    std::vector<PeerResult> peers = {};
    // The files measured, where the workload made a folder of its own.
    std::optional<int> files = {};
};

// The best of three runs of another program doing the job, from a folder of its own (rmlint
// writes its scripts into the current one); nothing when it is not installed.
std::optional<double> peerSeconds(const QString& program, const QStringList& arguments);

// Shows the folder in the file list as the program does at start, with the initial pattern of
// the two filter boxes; throws when an entry is missing.
void showFolder(FileList& fileList, const BenchFolder& folder);

// Each workload measures our code against its limit on the folder. A workload that changes
// the folder leaves it as it found it or comes last.
WorkloadResult measureList(const BenchFolder& folder);
WorkloadResult measureDupcheck(const BenchFolder& folder);
WorkloadResult measurePreview(const BenchFolder& folder);
WorkloadResult measureRename(const BenchFolder& folder);
// On a folder of its own: 10,050 files of random bytes, copies and near copies among them.
WorkloadResult measureContent();
// The rename workload with the undo journal written before and marked complete after the run.
WorkloadResult measureJournaledRename(const BenchFolder& folder);
// The journal's part before a run alone (every file's identity taken, the journal written and
// flushed), against the plain loop renaming every file: what the journal adds up front, where
// identities cost the most on volumes that need fingerprints.
WorkloadResult measureJournalBegin(const BenchFolder& folder);
// vornak-cli run as a process over the whole folder, against the plain loop; Perl's rename
// (file-rename) and mmv, where installed, as peers renaming every file with a prefix.
WorkloadResult measureCli(const BenchFolder& folder);
// On a tree of its own, files files in folders of a hundred: the walk and plan of a prefix over
// it, against an nftw walk with lstat; find -type f as a peer.
WorkloadResult measureTree(int files);
// The batch preview's plan after an edit, held against the list workload's own time.
WorkloadResult measurePlan(const BenchFolder& folder);
// The same with a pattern of fields (a date, the folder, the number, the name), the fields read
// beforehand as the window reads them once per folder.
WorkloadResult measurePatternPlan(const BenchFolder& folder);
// The first read of every file's fields, photo date and audio tags, with nothing kept yet.
WorkloadResult measureFieldsRead(const BenchFolder& folder);
// An edit in the batch preview window over the whole folder: planned, the table reset and drawn.
WorkloadResult measureWindow(const BenchFolder& folder);
// A run of every file from the main window (a prefix, 执行, 是) and one cancelled part-way, as
// the window answers meanwhile: per phase the longest time its thread did not tick.
WorkloadResult measureRunWindow(const BenchFolder& folder);

} // namespace vornak::bench
