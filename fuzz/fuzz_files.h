// Scratch files for the fuzz targets, whose code under test reads and writes
// files by path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A path of this process's scratch folder: in memory (/dev/shm) where there
// is one, so that the map writer's flush to disk costs nothing. The folder
// goes when the process ends normally.
std::string ScratchPath(const char* name);

// Writes the bytes to the path; aborts when it cannot, since a target that
// tests nothing must not look like one that finds nothing.
void WriteScratch(const std::string& path, const std::uint8_t* data, std::size_t size);

// The whole file; empty when it cannot be read.
std::string ReadScratch(const std::string& path);
