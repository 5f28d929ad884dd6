#include "Filer.h"

#include "Component.h"
#include "Streams.h"

namespace {

[[noreturn]] void Invalid() { throw EReadError("Invalid property value"); }

}  // namespace

const TFormValue& TReader::Next() {
    if (inList_) {
        if (index_ >= value_.Elements.size()) throw EReadError("Unexpected end of list");
        return value_.Elements[index_++];
    }
    if (consumed_ || value_.Kind == TFormValueKind::List) Invalid();
    consumed_ = true;
    return value_;
}

std::int64_t TReader::ReadInteger() {
    const TFormValue& v = Next();
    if (v.Kind != TFormValueKind::Integer) Invalid();
    return v.Integer;
}

std::string TReader::ReadString() {
    const TFormValue& v = Next();
    if (v.Kind != TFormValueKind::String) Invalid();
    return v.Text;
}

std::string TReader::ReadIdent() {
    const TFormValue& v = Next();
    if (v.Kind != TFormValueKind::Identifier) Invalid();
    return v.Text;
}

bool TReader::ReadBoolean() {
    const std::string ident = ReadIdent();
    if (SameName(ident, "True")) return true;
    if (SameName(ident, "False")) return false;
    Invalid();
}

void TReader::ReadListBegin() {
    if (inList_ || consumed_ || value_.Kind != TFormValueKind::List) Invalid();
    inList_ = true;
    consumed_ = true;
    index_ = 0;
}

bool TReader::EndOfList() const { return !inList_ || index_ >= value_.Elements.size(); }

void TReader::ReadListEnd() {
    if (!inList_ || index_ < value_.Elements.size()) Invalid();
    inList_ = false;
}

void TFiler::DefineProperty(const std::string& Name, TReaderProc ReadData) {
    definitions_.push_back({Name, false, std::move(ReadData), {}});
}

void TFiler::DefineBinaryProperty(const std::string& Name, TStreamProc ReadData) {
    definitions_.push_back({Name, true, {}, std::move(ReadData)});
}

const TFiler::TDefinition* TFiler::Find(const std::string& Name) const {
    for (const TDefinition& d : definitions_)
        if (SameName(d.Name, Name)) return &d;
    return nullptr;
}

bool HasDefinedProperty(TPersistent* Instance, const std::string& Name) {
    if (!Instance) return false;
    TFiler filer;
    Instance->DefineProperties(&filer);
    return filer.Find(Name) != nullptr;
}

void ReadDefinedProperty(TPersistent* Instance, const std::string& Name, const TFormValue& Value, TComponent* Root) {
    TFiler filer;
    if (Instance) Instance->DefineProperties(&filer);
    const TFiler::TDefinition* d = filer.Find(Name);
    if (!d) throw EReadError("Unknown property");
    if (d->Binary) {
        if (Value.Kind != TFormValueKind::Binary) Invalid();
        TMemoryStream stream;
        if (!Value.Bytes.empty()) stream.Write(Value.Bytes.data(), static_cast<std::int64_t>(Value.Bytes.size()));
        stream.Seek(0, soBeginning);
        if (d->ReadBinary) d->ReadBinary(stream);
        return;
    }
    if (Value.Kind == TFormValueKind::Binary || Value.Kind == TFormValueKind::Collection) Invalid();
    TReader reader(Value, Root);
    if (d->Read) d->Read(reader);
}
