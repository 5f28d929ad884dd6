#include "Uninstall.h"

#include "Streams.h"

std::string BatchQuoted(const std::string& Path) {
    std::string quoted = "\"";
    for (char c : Path) {
        if (c == '%') quoted += '%';
        quoted += c;
    }
    return quoted + "\"";
}

std::string RemoveBatchText(const std::string& Program, const std::string& Batch, int Attempts) {
    const std::string program = BatchQuoted(Program);
    const std::string crlf = "\r\n";
    std::string text;
    text += "set tries=0" + crlf;
    text += ":try" + crlf;
    text += "del " + program + crlf;
    text += "if not exist " + program + " goto done" + crlf;
    text += "set /a tries=tries+1" + crlf;
    text += "if %tries% geq " + std::to_string(Attempts) + " goto done" + crlf;
    // A second's pause without a console: the loopback answers at once, and
    // ping waits a second between its two echoes.
    text += "ping -n 2 127.0.0.1 >nul" + crlf;
    text += "goto try" + crlf;
    text += ":done" + crlf;
    text += "del " + BatchQuoted(Batch) + crlf;
    text += "cls" + crlf;
    return text;
}

void RemoveScreensaver(TFileSystem& Files, const std::string& TempFolder, const std::string& Program,
                       const TUninstallActions& Actions) {
    const std::string batch = TempFolder + kRemoveBatchName;
    TMemoryStream text;
    const std::string lines = RemoveBatchText(Program, batch);
    text.WriteBuffer(lines.data(), static_cast<std::int64_t>(lines.size()));
    Files.WriteFile(batch, text);
    if (Actions.StartBatch) Actions.StartBatch(batch);
    if (Actions.Terminate) Actions.Terminate();
}
