#include "FormResource.h"

#include "Component.h"
#include "FormReader.h"

#include <windows.h>

namespace {

HRSRC FindForm(const std::string& ClassName) {
    return FindResourceA(GetModuleHandleA(nullptr), ClassName.c_str(), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
}

}  // namespace

bool HasFormResource(const std::string& ClassName) { return !ClassName.empty() && FindForm(ClassName); }

std::string FormResourceText(const std::string& ClassName) {
    HRSRC info = ClassName.empty() ? nullptr : FindForm(ClassName);
    HGLOBAL block = info ? LoadResource(GetModuleHandleA(nullptr), info) : nullptr;
    const void* data = block ? LockResource(block) : nullptr;
    if (!data) throw EResNotFound("Resource " + ClassName + " not found");
    return std::string(static_cast<const char*>(data), SizeofResource(GetModuleHandleA(nullptr), info));
}

void ReadFormResource(TComponent* Form, TOnCreate OnCreate) {
    const std::string name = Form->ClassName();
    ReadFormDescriptionText(Form, FormResourceText(name), name, OnCreate);
}
