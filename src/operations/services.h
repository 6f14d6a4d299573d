#pragma once

// What the operations use besides the document: the platform's ports, the
// error reports, the hourglass, the recent files and the windows' views.
// The add-on's host adapter assembles it once from the ports it is given;
// a tool or a test assembles its own.

#include "host/error_reporter.h"
#include "host/hourglass.h"
#include "host/settings.h"
#include "platform/clipboard.h"
#include "platform/file_dialogs.h"
#include "platform/file_system.h"
#include "platform/host_messenger.h"
#include "platform/host_notifier.h"
#include "platform/memory_probe.h"
#include "platform/message_prompt.h"
#include "platform/random_source.h"
#include "platform/shared_memory.h"
#include "platform/views.h"

namespace zun {

struct Services {
  FileSystem& files;
  MessagePrompt& prompt;
  FileDialogs& dialogs;
  Clipboard& clipboard;
  RandomSource& random;
  // Told of every saved database file.
  HostNotifier& notifier;
  // Entries between windows: the host's messages, the other module's
  // memory and what of it can be read.
  HostMessenger& messenger;
  SharedMemory& memory;
  const MemoryProbe& probe;
  ErrorReporter& errors;
  Hourglass& hourglass;
  RecentFileList& recent;
  // The windows, for what is no state of the document: progress, scrolling
  // a row into view, the focus, showing a hidden window, pending messages.
  Views views;
};

}  // namespace zun
