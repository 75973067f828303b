#pragma once

#include "core/model/LocalLLM.h"
#include "core/model/Profile.h"
#include "core/placement/Targets.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vesk::FolderProfiles {

// Purpose and keywords for every non-project target, from the cache file where the folder's
// file names are unchanged, otherwise from the model, `batch` folders per request.
[[nodiscard]] Profiles profile(LocalLLM& llm, const std::vector<Target>& targets,
                               const std::optional<std::filesystem::path>& cache, int batch);

// One folder's lines in the prompt: its label and up to `samples` shortened file names.
[[nodiscard]] std::string describe(const Target& target, int samples);

} // namespace vesk::FolderProfiles
