#pragma once

#include "core/StringTableResource.h"

#include <filesystem>
#include <string>

namespace tarvel::test {

class TPgCluster;

// The demo product kept in the repository (demo/): its source folder and the update folder the
// build assembles from it.
std::filesystem::path DemoSourceDir();
std::filesystem::path DemoUpdateDir();
// The demo's release parameter file as the build wrote it (Windows-1251).
std::filesystem::path DemoParamsFile();

// The demo release's string table of service scripts: string 1 holds 7, strings 2 to 7 the six
// scripts of demo/service as "name##block", in name order.
TStringTable DemoServiceScripts();

// Puts the demo product's schema at 1.0.2.0 into the cluster's owner schema, replacing
// whatever an earlier test left there, and gathers fresh statistics for every table.
void LoadDemoSchema(const TPgCluster& cluster);

} // namespace tarvel::test
