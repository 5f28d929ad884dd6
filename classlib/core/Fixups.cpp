#include "Fixups.h"

void TReferenceFixups::Add(TObject* Instance, const std::string& Path, const std::string& Name) {
    pending_.push_back({Instance, Path, Name});
}

std::vector<std::string> TReferenceFixups::Resolve(TComponent* Root) {
    std::vector<std::string> missing;
    auto pending = std::move(pending_);
    pending_.clear();
    for (const Pending& p : pending) {
        TComponent* target = SameName(Root->Name(), p.name) ? Root : Root->FindComponent(p.name);
        if (!target) {
            missing.push_back(p.name);
            continue;
        }
        SetObjectProp(p.instance, p.path, target);
    }
    return missing;
}
