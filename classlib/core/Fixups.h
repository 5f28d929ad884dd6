#pragma once
// Component references read from a stored description name components that
// may come later in it; they are set once the whole form exists.

#include "TypInfo.h"

#include <string>
#include <vector>

class TReferenceFixups {
public:
    // Remembers that Instance's property Path names the component Name.
    void Add(TObject* Instance, const std::string& Path, const std::string& Name);
    // Sets every remembered reference to Root (when Name is Root's own) or to
    // Root->FindComponent(Name). Returns the names that matched nothing; their
    // properties stay as they were. The list is empty afterwards.
    std::vector<std::string> Resolve(TComponent* Root);
    bool Empty() const { return pending_.empty(); }

private:
    struct Pending {
        TObject* instance;
        std::string path;
        std::string name;
    };
    std::vector<Pending> pending_;
};
