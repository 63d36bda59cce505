#include "text/ClickAddress.h"

#include "text/TextConversion.h"

void setClickAddress(const ComPtr<PowerPoint::Shape>& shape, const KestString& address)
{
    ComPtr<PowerPoint::ActionSetting> click = shape->GetActionSettings()->Item(PowerPoint::ppMouseClick);
    if (ComPtr<PowerPoint::Hyperlink> link = click->GetHyperlink()) link->PutAddress(toWide(address));
}
