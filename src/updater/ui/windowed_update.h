// The updater with its window. Kept free of toolkit headers so that the
// program's entry point can choose between this and the headless run.
#pragma once

namespace vanto::updater {

// Exit status of the windowed run: 0 after a complete run (the host was
// restarted), 1 when a file failed, 2 when the window was closed before the
// end (also after "更新失败!"), 3 when every file arrived but the host could
// not be started, kNoDisplay when the toolkit found no display.
inline constexpr int kNoDisplay = 4;

int RunWindowedUpdate(int argc, char** argv);

}  // namespace vanto::updater
