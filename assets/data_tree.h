// Writes the runnable data tree: the pictures under "data/", the sounds and
// maps under "Data/", exactly where the programs look for them.
#pragma once

#include <filesystem>
#include <string>

// Fills root (created when missing) with every picture and sound, and with
// each map of mapSource that root does not hold yet: a map already in the
// tree is the user's and is never overwritten. The map previews are drawn
// from the tree's maps as they are after that. Same inputs, same bytes.
// False with the reason in error when anything could not be written.
bool GenerateDataTree(const std::filesystem::path& root,
                      const std::filesystem::path& mapSource,
                      std::string& error);

// Redraws only the menu's map previews of root from the maps in root, as
// GenerateDataTree does after its maps are in place; the rest of root is
// left as it is. False with the reason in error when a preview could not be
// written.
bool DrawMapPreviews(const std::filesystem::path& root, std::string& error);
