#include "core/names/RenameState.h"

#include "core/names/RenameOptions.h"

#include "core/names/NativePath.h"

namespace vornak {

namespace {

QByteArray textInForce(const OptionInput& option)
{
    return option.checked ? nativeText(option.input) : QByteArray();
}

} // namespace

RenameState RenameState::from(const RenameOptions& options)
{
    return {textInForce(options.prefix), textInForce(options.suffix),
            textInForce(options.newBaseName), textInForce(options.newExtension)};
}

} // namespace vornak
