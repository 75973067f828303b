#pragma once

#include "core/model/LocalLLM.h"
#include "core/model/Profile.h"
#include "core/model/ProfileCache.h"
#include "core/targets/Targets.h"

#include <functional>
#include <string>
#include <vector>

namespace vesk::FolderProfiles {

// Purpose and keywords for every non-project target, from the cache where the folder's file
// names (`signatures`, by target) are unchanged, otherwise from the model, `batch` folders per
// request and as many requests at once as the client takes. `progress` hears how many of the
// batches are described, on the calling thread. Writing the cache is left to the caller, so
// that a run that is stopped leaves it as it was.
[[nodiscard]] Profiles profile(LocalLLM& llm, const std::vector<Target>& targets,
                               const std::vector<std::string>& signatures,
                               const ProfileCache& cached, int batch,
                               const std::function<void(int done, int total)>& progress = {});

// One folder's lines in the prompt: its label and up to `samples` shortened file names.
[[nodiscard]] std::string describe(const Target& target, int samples);

} // namespace vesk::FolderProfiles
