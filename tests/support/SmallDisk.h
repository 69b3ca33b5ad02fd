#pragma once
// A tiny file system (tmpfs) mounted on a folder for the life of the object, to run a
// write into a full disk. Needs the right to mount (root); Mounted() says whether it worked.
#include <string>

class SmallDisk {
public:
    SmallDisk(const std::string& folder, const std::string& size);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return mounted_; }
    // Fills what is left of the disk with one file, so the next write finds it full.
    void Fill() const;
    const std::string& Folder() const { return folder_; }

private:
    std::string folder_;
    bool mounted_ = false;
};
