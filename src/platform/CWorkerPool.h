#pragma once
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace kv {

// Threads that take parts of one long computation beside the thread that
// asks (the transform of a large signal): the work is split so that the
// result is the same whatever the number of threads. The pool is idle
// between computations; its threads wait and take no processor time.
class CWorkerPool {
public:
    static constexpr int kMaxThreads = 4;

    static CWorkerPool& Instance();

    // Threads a computation may use, the calling one included: the number of
    // processors, at most kMaxThreads and at most the limit set.
    int Threads() const;
    // Limits the threads (1: the calling thread alone); returns the previous
    // limit. For tests and benchmarks.
    static int SetThreadLimit(int threads);

    // Runs task(0) on the calling thread and task(1) ... task(threads - 1)
    // on workers; returns when every part has returned. An exception thrown
    // by task(0) comes out of Run after the workers are done; the other
    // parts must not throw.
    void Run(int threads, const std::function<void(int)>& task);

    ~CWorkerPool();
    CWorkerPool(const CWorkerPool&) = delete;
    CWorkerPool& operator=(const CWorkerPool&) = delete;

private:
    CWorkerPool() = default;
    void Work(int part);

    std::mutex m_lock;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    std::vector<std::thread> m_threads;
    const std::function<void(int)>* m_pTask = nullptr;
    unsigned m_nGeneration = 0;
    int m_nParts = 0;      // parts of the current computation (workers take 1 ... m_nParts - 1)
    int m_nPending = 0;    // worker parts not yet returned
    bool m_bStop = false;
};

}  // namespace kv
