// Root class of the framework's value records.
#pragma once

class KestObject {
public:
    KestObject() = default;
    KestObject(const KestObject&) = default;
    KestObject& operator=(const KestObject&) = default;
    virtual ~KestObject() = default;
};
