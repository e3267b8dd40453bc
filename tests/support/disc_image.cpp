#include "disc_image.h"

#include <sstream>
#include <stdexcept>

#include "run_mkdisc.h"

DiscImage MakeDiscImage(const std::map<std::string, std::string>& files,
                        const std::vector<std::string>& options)
{
    ScratchFolder scratch;
    WriteText(scratch / "viewer.exe", "MZ stand-in program image");
    for (const auto& file : files)
        WriteText(scratch / ("src/" + file.first), file.second);
    fs::create_directories(scratch / "src");
    std::vector<std::string> args = {"--viewer", (scratch / "viewer.exe").string()};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back((scratch / "src").string());
    args.push_back((scratch / "out").string());
    std::ostringstream out, err;
    if (RunMkdisc(args, out, err) != 0)
        throw std::runtime_error("mkdisc failed: " + err.str());
    DiscImage image;
    for (const auto& entry : fs::directory_iterator(scratch / "out")) {
        std::string name = entry.path().filename().string();
        if (name == "discview.exe")
            image.viewer = ReadBytes(entry.path());
        else if (entry.path().extension() == ".dat")
            image.data[name] = ReadBytes(entry.path());
    }
    return image;
}
