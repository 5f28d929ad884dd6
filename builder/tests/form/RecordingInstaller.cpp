// Stands in for the installer at the head of a built package: it notes the
// arguments it was started with in "<its own file>.args" and ends.

#include <windows.h>

#include <fstream>
#include <string>

int main(int argc, char** argv) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::ofstream out(std::string(self) + ".args", std::ios::binary);
    for (int i = 1; i < argc; ++i) out << argv[i] << "\n";
    return 0;
}
