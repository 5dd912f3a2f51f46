#include "cli/CliEcusCommand.h"

#include "cli/JsonWriter.h"
#include "defs/SupportedEcus.h"

#include <vector>

namespace {

std::string EcusText(bool json)
{
    const std::vector<SupportedEcu> ecus = SupportedEcus();
    if (json) {
        std::vector<JsonObject> objects;
        for (const SupportedEcu& ecu : ecus) {
            objects.push_back(JsonObject()
                                  .AddString("ecu_id", ecu.id)
                                  .AddString("support", SupportClassName(ecu.support))
                                  .AddString("load_sensor", ecu.loadSensor)
                                  .AddString("iac_kind", ecu.iacKind)
                                  .AddString("egr_kind", ecu.egrKind));
        }
        return JsonObject().AddObjectArray("ecus", objects).Text() + "\n";
    }
    std::string text;
    for (const SupportedEcu& ecu : ecus) {
        for (const std::string_view field :
            { ecu.id, SupportClassName(ecu.support), ecu.loadSensor, ecu.iacKind, ecu.egrKind }) {
            text += field;
            text += ' ';
        }
        text.back() = '\n';
    }
    return text;
}

} // namespace

CommandParse ParseEcus(std::span<const std::string> args)
{
    if (!args.empty())
        return { {}, Unexpected("ecus", args.front()) };
    return { [](CliContext& context) {
                context.out << EcusText(context.options.json);
                return static_cast<int>(ExitDone);
            },
        {} };
}
