#include "script_runner.h"

#include "signal_model/signal_model.h"
#include "simulated_devices.h"

namespace {
using Kind = ScriptCommand::Kind;

DeviceModel* deviceNamed(SimulatedDevices& devices, const std::string& name) {
  if (name == "i2c")
    return &devices.i2c;
  if (name == "frontend")
    return &devices.frontend;
  return &devices.audio;
}

std::atomic<bool>* faultNamed(DeviceFaults& faults, const std::string& operation) {
  if (operation == "open")
    return &faults.open;
  if (operation == "select")
    return &faults.select;
  if (operation == "write")
    return &faults.write;
  if (operation == "read")
    return &faults.read;
  if (operation == "short-read")
    return &faults.shortRead;
  return &faults.ioctl;
}

SignalModel::Reading readingNamed(const std::string& field) {
  if (field == "snr")
    return SignalModel::Reading::snr;
  if (field == "strength")
    return SignalModel::Reading::strength;
  if (field == "ber")
    return SignalModel::Reading::ber;
  return SignalModel::Reading::status;
}
}  // namespace

ScriptRunner::ScriptRunner(const Script& s, std::string src, ScriptTarget& t)
    : script(s), source(std::move(src)), target(t) {}

void ScriptRunner::idle(eMainloop& loop) {
  while (!finished && next < script.commands.size()) {
    const ScriptCommand& command = script.commands[next++];
    std::string problem;
    if (!execute(command, loop, &problem)) {
      failure = source + ":" + std::to_string(command.line) + ": " + problem;
      finished = true;
      break;
    }
    if (command.kind == Kind::wait || command.kind == Kind::key)
      return;
  }
  if (!finished) {
    finished = true;
    if (onFinished)
      onFinished();
  }
  loop.postKey(eKey::exit);
}

void ScriptRunner::checkAllRan() {
  if (failed() || next >= script.commands.size())
    return;
  failure = source + ":" + std::to_string(script.commands[next].line) +
            ": not run: the finder closed before this line";
}

bool ScriptRunner::execute(const ScriptCommand& c, eMainloop& loop, std::string* problem) {
  switch (c.kind) {
    case Kind::wait:
      loop.advance(static_cast<long>(c.number));
      return true;
    case Kind::key:
      loop.postKey(c.key);
      return true;
    case Kind::select:
    case Kind::toggle:
    case Kind::focus: {
      eWidget* widget = target.findWidget(c.widget);
      if (!widget && lenient)
        return true;
      if (!widget) {
        *problem = "no widget named \"" + c.widget + "\" in the open window";
        return false;
      }
      if (c.kind == Kind::focus) {
        widget->setFocus(widget);
        return true;
      }
      if (c.kind == Kind::toggle) {
        auto* box = dynamic_cast<eCheckbox*>(widget);
        if (!box) {
          *problem = "\"" + c.widget + "\" is a " + widget->kind() + ", not a check box";
          return false;
        }
        box->toggle();
        return true;
      }
      auto* combo = dynamic_cast<eComboBox*>(widget);
      if (!combo) {
        *problem = "\"" + c.widget + "\" is a " + widget->kind() + ", not a combo box";
        return false;
      }
      if (combo->choose(static_cast<int>(c.number)) != 0) {
        *problem = "\"" + c.widget + "\" has " + std::to_string(combo->getCount()) +
                   " entries, no entry " + std::to_string(c.number);
        return false;
      }
      return true;
    }
    case Kind::dish:
      target.signalModel().setPointingError(c.azimuth, c.elevation);
      return true;
    case Kind::reg:
      target.signalModel().pinRegisters(c.address, c.reg, c.bytes);
      return true;
    case Kind::unreg:
      target.signalModel().unpinRegisters(c.address, c.reg);
      return true;
    case Kind::frontend:
      if (c.field == "if") {
        target.signalModel().pinFrontendFrequency(static_cast<uint32_t>(c.number));
      } else {
        target.signalModel().pinReading(readingNamed(c.field), static_cast<long>(c.number));
      }
      return true;
    case Kind::fault:
      faultNamed(deviceNamed(target.simulatedDevices(), c.field)->faults, c.operation)->store(c.on);
      return true;
    case Kind::dump:
      return target.writeDump(c.path, problem);
    case Kind::png:
      return target.writePng(c.path, problem);
    case Kind::window:
      return target.writeWindowPng(c.path, c.width, c.height, problem);
  }
  return true;
}
