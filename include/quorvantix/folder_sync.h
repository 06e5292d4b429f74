// Durability on request: the folders that files were written into, each flushed to disk once.
#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace qv {

class FolderSync {
  public:
    // Notes the folder that holds `path`; safe to call from several threads at once.
    void add(const std::string& path);
    // Flushes the file system under each folder noted since the last flush, once per folder,
    // so that every file written into them and renamed into place survives a power cut. False
    // with the first failure in *error; every folder is still tried.
    bool flush(std::string* error);

  private:
    std::mutex mutex_;
    std::vector<std::string> folders_;
};

}  // namespace qv
