// Runs a test inside a fresh empty folder, removed again afterwards.
#pragma once

#include <filesystem>
#include <string>

class TempFolder {
  public:
    explicit TempFolder(
        const std::filesystem::path& under = std::filesystem::temp_directory_path());
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

// Whole-file helpers for checking what the program wrote.
std::string FileBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);
