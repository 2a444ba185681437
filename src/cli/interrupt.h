// Ctrl-C (SIGINT), SIGTERM and SIGHUP for veltrane-cli.
//
// While an operation that polls its host for stop requests runs, the first
// signal is a stop request, as the page's "停止" is: the operation ends
// between records and reports what it did. Otherwise (a command that does
// not poll, or a second signal) the command ends at once: the files the run
// had begun are undone (temporary outputs removed, appended files cut back;
// util/unfinished_files.h) and the process ends by the signal.
#ifndef VELTRANE_CLI_INTERRUPT_H_
#define VELTRANE_CLI_INTERRUPT_H_

namespace veltrane::cli {

// Installs the handlers; main() calls it once.
void InstallInterruptHandlers();

// True once a signal arrived. The first call marks the running command as
// one that stops by itself, so that the next signal waits for it.
bool InterruptRequested();

}  // namespace veltrane::cli

#endif  // VELTRANE_CLI_INTERRUPT_H_
