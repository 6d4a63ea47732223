#pragma once

// The annotations of one assembly instance, kept by id in ascending order. Copies share the
// annotations and keep the same id.

#include "dazo/DazoExport.h"
#include "dazo/Vantor_Types.h"

#include <map>
#include <memory>
#include <string>

namespace VantorSoft {

class Vantor_PMI;

class DAZO_API Vantor_PMIDocument {
public:
    Vantor_PMIDocument();
    Vantor_PMIDocument(const Vantor_PMIDocument& other);
    Vantor_PMIDocument& operator=(const Vantor_PMIDocument& other);
    virtual ~Vantor_PMIDocument();

    void Id(u64 id);
    u64& Id();
    void SetVersion(std::wstring version);
    std::wstring GetVersion() const;

    // Stores the annotation under its current id, replacing an earlier one with that id.
    // -1 for an empty pointer.
    Vantor_STATUS AddPMI(std::shared_ptr<Vantor_PMI> pmi);
    std::shared_ptr<Vantor_PMI> GetPMI(u64 id) const;
    int GetPMICount() const;
    // -1 when there is no annotation with that id.
    Vantor_STATUS DelPMI(u64 id);
    // Removes every annotation; id and version stay.
    void UnLoad();

    // Appends "id" (decimal text) and "PMIs" (one object per annotation, ascending ids) to the
    // caller's object. -1 when an argument is null or the value is not an object.
    Vantor_STATUS ToJson(void* value, void* document);

private:
    std::map<u64, std::shared_ptr<Vantor_PMI>> m_pmis;
    std::wstring m_version;
    u64 m_id;
};

} // namespace VantorSoft
