#pragma once

namespace vornak {

// What the command line tells the shell that started it.
enum class ExitStatus {
    Done = 0,        // everything went as planned (or, for a plan, it could be made)
    FilesKept = 1,   // some files kept their names or could not be restored
    Usage = 2,       // the command line itself is wrong
    NothingDone = 3, // the journal, the folder or the run to undo was not there to work on
    Interrupted = 130,
};

} // namespace vornak
