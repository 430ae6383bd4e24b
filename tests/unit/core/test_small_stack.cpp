#include "EngineHarness.h"

#include <gtest/gtest.h>

#include <pthread.h>

#include <string>

// The evaluator watches the native stack it runs on as well as its nesting
// count: on a thread with a small stack, a nest that fits the count still ends
// with error 73 (or its value) and never with the stack overflowing. The
// sanitizer build, whose frames are several times larger, is where this bites.

namespace {

std::string Repeat(const std::string& piece, int count)
{
    std::string text;
    for (int k = 0; k < count; ++k)
        text += piece;
    return text;
}

struct Job {
    std::string text;
    bool compiled;
    std::string outcome;
};

void* Evaluate(void* argument)
{
    Job& job = *static_cast<Job*>(argument);
    EngineHarness engine;
    engine.expression.compileExpressions = job.compiled;
    engine.expression.compileOnFirstUse = true;
    job.outcome = engine.Evaluate(job.text);
    return nullptr;
}

std::string EvaluateOnStack(const std::string& text, bool compiled, size_t stackBytes)
{
    Job job { text, compiled, {} };
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, stackBytes);
    pthread_t thread;
    const int started = pthread_create(&thread, &attributes, Evaluate, &job);
    pthread_attr_destroy(&attributes);
    if (started != 0) return "no thread";
    pthread_join(thread, nullptr);
    return job.outcome;
}

} // namespace

TEST(SmallStack, DeepNestsOnATwoMegabyteThreadEndWithTheirValueOrError73)
{
    struct Nest {
        const char* open;
        const char* inner;
        const char* close;
        const char* value;
    };
    const Nest nests[] = {
        { "(", "1", ")", "i:1" },
        { "upper(", "\"a\"", ")", "s:A" },
        { "left(", "\"ab\"", ", 1)", "s:a" },
        { "abs(", "1", ")", "i:1" },
        { "1^", "1", "", "i:1" },
    };
    for (const Nest& nest : nests) {
        for (const int depth : { Expression_Class::MaxNesting, 100000 }) {
            const std::string text = Repeat(nest.open, depth - 1) + nest.inner + Repeat(nest.close, depth - 1);
            for (const bool compiled : { true, false }) {
                SCOPED_TRACE(std::string(nest.open) + " depth " + std::to_string(depth)
                    + (compiled ? " compiled" : " from text"));
                const std::string outcome = EvaluateOnStack(text, compiled, 2u * 1024u * 1024u);
                if (depth > Expression_Class::MaxNesting)
                    EXPECT_EQ(outcome.rfind("error 73 at 1:", 0), 0u) << outcome;
                else
                    EXPECT_TRUE(outcome == nest.value || outcome.rfind("error 73 at 1:", 0) == 0) << outcome;
            }
        }
    }
}
