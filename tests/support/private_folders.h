#pragma once
// Private folders for a test program or benchmark: HOME and every XDG folder the code writes
// under (configuration, data, cache, state, runtime) point at fresh 0700 folders in a temporary
// folder of this process, removed at exit. Called first in main, so that nothing the program
// does touches the user's own files, whoever starts it.

namespace tripdesk {

// A process started by one that has made its folders (a death test's re-run of the program)
// keeps to its parent's folders and leaves their removal to it.
void UsePrivateFolders();

} // namespace tripdesk
