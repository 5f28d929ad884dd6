#pragma once
// Lists of text lines. TStrings is the interface every line holder offers
// (string lists, the lines of a memo); TStringList keeps the lines itself.
// Each line may carry an object pointer. Lookups by text or by "name=value"
// name ignore ASCII case; the first match in list order answers.

#include "Object.h"

#include <memory>
#include <string>
#include <vector>

class TStream;

class TStrings : public TPersistent {
public:
    std::string ClassName() const override { return "TStrings"; }
    // "Strings": the lines as a stored list of strings (a memo's Lines.Strings).
    void DefineProperties(TFiler* Filer) override;

    virtual int Count() const = 0;
    // Index checks raise EListError "List index out of bounds (%d)".
    virtual std::string Strings(int Index) const = 0;
    virtual void SetStrings(int Index, const std::string& S);
    virtual TObject* Objects(int Index) const;
    virtual void SetObjects(int Index, TObject* Object);

    virtual int Add(const std::string& S);
    int AddObject(const std::string& S, TObject* Object);
    void AddStrings(TStrings* Strings);
    virtual void Insert(int Index, const std::string& S) = 0;
    virtual void InsertObject(int Index, const std::string& S, TObject* Object);
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;
    void Exchange(int Index1, int Index2);

    virtual int IndexOf(const std::string& S) const;
    int IndexOfObject(const TObject* Object) const;
    // "name=value" lines: the name is the text before the first "=".
    int IndexOfName(const std::string& Name) const;
    std::string Names(int Index) const;
    std::string Values(const std::string& Name) const;
    // An empty value deletes the line of that name; a new name is appended.
    void SetValues(const std::string& Name, const std::string& Value);

    // Every line followed by CR LF.
    virtual std::string Text() const;
    // Splits at CR, LF or CR LF; a break at the very end starts no new line.
    virtual void SetText(const std::string& Text);
    // Reads from the stream's position to its end / writes Text at its position.
    void LoadFromStream(TStream* Stream);
    void SaveToStream(TStream* Stream) const;
    void LoadFromFile(const std::string& FileName);
    void SaveToFile(const std::string& FileName) const;

    // Nested; change notices are held back until the outermost EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    void Assign(TPersistent* Source) override;

protected:
    virtual void SetUpdateState(bool Updating);
    [[noreturn]] static void Error(int Index);

private:
    int updateCount_ = 0;
};

class TStringList : public TStrings {
public:
    // With OwnsObjects the list frees the objects of lines it deletes or clears.
    explicit TStringList(bool OwnsObjects = false) : ownsObjects_(OwnsObjects) {}
    ~TStringList() override;
    std::string ClassName() const override { return "TStringList"; }

    int Count() const override { return static_cast<int>(items_.size()); }
    std::string Strings(int Index) const override;
    void SetStrings(int Index, const std::string& S) override;
    TObject* Objects(int Index) const override;
    void SetObjects(int Index, TObject* Object) override;
    void Insert(int Index, const std::string& S) override;
    void InsertObject(int Index, const std::string& S, TObject* Object) override;
    void Delete(int Index) override;
    void Clear() override;

    bool OwnsObjects() const { return ownsObjects_; }

    // Fired before and after every change, except inside BeginUpdate/EndUpdate,
    // where the outermost EndUpdate fires OnChange once.
    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;

protected:
    void SetUpdateState(bool Updating) override;
    virtual void Changing();
    virtual void Changed();

private:
    struct Item {
        std::string Text;
        TObject* Object = nullptr;
    };
    void Check(int Index, bool AllowEnd = false) const;
    void Release(TObject* Object);

    std::vector<Item> items_;
    bool ownsObjects_;
};
