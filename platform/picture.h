// Picture files that the program loads into picture boxes.
#pragma once

#include <filesystem>
#include <string>

namespace platform {

// Whether the file holds a picture the front end reads (GIF, JPEG, PNG or BMP, by its signature).
bool IsPictureFile(const std::filesystem::path& file);

// Loads a picture for a picture box: a private copy of the file, so that the box keeps showing it when
// the file is later replaced or deleted, and so that every load is a new picture. "" when the file is
// not a picture (or cannot be copied).
std::string LoadPictureCopy(const std::filesystem::path& file);

// Removes the folders of picture copies that programs no longer running left (killed by a signal, they
// could not remove their own); the number removed.
int RemoveLeftoverPictureFolders();

}  // namespace platform
