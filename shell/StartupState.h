// What start-up finds out about where the project lives. Written only while the runtime starts
// (and once more when a package is re-read); read everywhere afterwards.
#pragma once

#include "shell/ExeContainer.h"

#include <string>
#include <utility>
#include <vector>

namespace zembrio {

struct tStartupState {
    bool embedded = false;        // fewer than two command-line arguments
    bool package = false;         // plug-in mode with a package file as argument 2
    bool containerOpened = false; // the directory has been read, successfully or not
    std::string containerPath;
    std::vector<tExeFilerec> directory;
    std::string commandLineProjectPath; // plain plug-in mode: argument 2 as given
    std::string projectDirectory;       // with a trailing '/'
    bool speechEnabled = false;
    // Container entries copied to real files: (entry name, file path).
    std::vector<std::pair<std::string, std::string>> temporaryCopies;
};

extern tStartupState gStartup;

// The first entry of the opened container called name; null when there is none or no container.
const tExeFilerec* findContainerEntry(std::string_view name);

} // namespace zembrio
