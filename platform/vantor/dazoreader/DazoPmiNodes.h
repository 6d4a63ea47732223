#pragma once

// Annotations drawn as scene nodes: one Vantor::PMI node per annotation, its lines and texts in
// the annotation's colour, shown as the annotation's display flag says.

#include <memory>
#include <vector>

namespace VantorSoft {
class Vantor_PMI;
}

namespace Vantor {
class Model;

namespace DazoRead {

void addPmiNodes(Model& model, const std::vector<std::shared_ptr<VantorSoft::Vantor_PMI>>& annotations);

} // namespace DazoRead
} // namespace Vantor
