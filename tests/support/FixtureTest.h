#pragma once

#include "WorkstationTest.h"

#include <memory>

// A WorkstationTest on a fixture class: a fresh `Fixture` for every test
// function, its Problem() reported when it has one.
template <class Fixture> class FixtureTest : public WorkstationTest
{
protected:
    std::unique_ptr<Fixture> fixture_;

private:
    bool Start(QString &problem) override
    {
        fixture_ = std::make_unique<Fixture>();
        if constexpr (requires { fixture_->Problem(); })
            problem = fixture_->Problem();
        return fixture_->IsValid();
    }
    void Stop() override { fixture_.reset(); }
};
