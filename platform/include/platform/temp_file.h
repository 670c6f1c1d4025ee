#pragma once
// A file written under a temporary name in its destination's folder and renamed onto the
// destination only when every byte is written and the close succeeded, so that a reader never
// sees a partial file and an earlier file of that name stays whole until it is replaced. Meant
// for large files written piece by piece; anything left unfinished is removed.

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

class TempFile {
public:
    // Creates folder + name + "-XXXXXX" (six random characters) exclusively, with the mode of a
    // newly created file (0666 less the umask). An empty folder is the current directory;
    // otherwise the folder ends with "/" or has one appended.
    TempFile(const std::string& folder, const std::string& name);
    ~TempFile();   // removes the file unless it was committed
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }
    // The errno of the first failure (creation, write, close, rename); 0 while all went well.
    int error() const { return error_; }

    // Appends all of data; false on any failure, after which nothing more is written.
    bool Write(const std::uint8_t* data, std::size_t size);

    // Closes the file and renames it onto target; false (and the file removed) on any failure.
    bool CommitTo(const std::string& target);

private:
    void Fail(int errorNumber);

    std::string path_;
    int fd_ = -1;
    int error_ = 0;
    bool committed_ = false;
};

} // namespace platform
