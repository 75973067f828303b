#pragma once

#include "app/AppLocation.h"
#include "app/Settings.h"

#include <filesystem>

namespace vesk::bench {

// Where the application keeps its data for a run on a generated home: in `scratch`, so that no
// stored settings, the person's own or another run's, have a say.
[[nodiscard]] AppLocation appLocation(const std::filesystem::path& home,
                                      const std::filesystem::path& scratch);
// The settings of such a run: the home's Downloads the one source, files of any age, no model.
[[nodiscard]] Settings appSettings(const std::filesystem::path& home);

} // namespace vesk::bench
