#include "Filer.h"
#include "Strings.h"

void TStrings::DefineProperties(TFiler* Filer) {
    TPersistent::DefineProperties(Filer);
    Filer->DefineProperty("Strings", [this](TReader& Reader) {
        // Replaced as a whole, so a list that fails half way leaves the old lines.
        std::vector<std::string> lines;
        Reader.ReadListBegin();
        while (!Reader.EndOfList()) lines.push_back(Reader.ReadString());
        Reader.ReadListEnd();
        BeginUpdate();
        Clear();
        for (const std::string& line : lines) Add(line);
        EndUpdate();
    });
}
