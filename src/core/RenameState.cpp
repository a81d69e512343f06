#include "RenameState.h"

#include "RenameOptions.h"

#include "NativePath.h"

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
