#pragma once
namespace Vantor { class NerioViewerManipulatorState { public: virtual ~NerioViewerManipulatorState() = default; virtual void onFocusIn() {} }; }
