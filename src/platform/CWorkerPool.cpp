#include "platform/CWorkerPool.h"

#include <algorithm>
#include <exception>

namespace kv {

namespace {

int g_nThreadLimit = CWorkerPool::kMaxThreads;

}  // namespace

CWorkerPool& CWorkerPool::Instance() {
    static CWorkerPool pool;
    return pool;
}

CWorkerPool::~CWorkerPool() {
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_bStop = true;
    }
    m_wake.notify_all();
    for (std::thread& t : m_threads) t.join();
}

int CWorkerPool::Threads() const {
    // Asked once: the count reads a file of the system each time, and every
    // read of a signal file asks.
    static const int processors = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    return std::clamp(std::min(processors, g_nThreadLimit), 1, kMaxThreads);
}

int CWorkerPool::SetThreadLimit(int threads) {
    const int previous = g_nThreadLimit;
    g_nThreadLimit = std::clamp(threads, 1, kMaxThreads);
    return previous;
}

void CWorkerPool::Work(int part) {
    unsigned seen = 0;
    std::unique_lock<std::mutex> lock(m_lock);
    for (;;) {
        m_wake.wait(lock, [&] { return m_bStop || (m_nGeneration != seen && part < m_nParts); });
        if (m_bStop) return;
        seen = m_nGeneration;
        const std::function<void(int)>* task = m_pTask;
        lock.unlock();
        (*task)(part);
        lock.lock();
        if (--m_nPending == 0) m_done.notify_all();
    }
}

void CWorkerPool::Run(int threads, const std::function<void(int)>& task) {
    threads = std::clamp(threads, 1, kMaxThreads);
    if (threads == 1) {
        task(0);
        return;
    }
    {
        std::lock_guard<std::mutex> guard(m_lock);
        while (static_cast<int>(m_threads.size()) < threads - 1) {
            const int part = static_cast<int>(m_threads.size()) + 1;
            m_threads.emplace_back([this, part] { Work(part); });
        }
        m_pTask = &task;
        m_nParts = threads;
        m_nPending = threads - 1;
        ++m_nGeneration;
    }
    m_wake.notify_all();
    std::exception_ptr failure;
    try {
        task(0);
    } catch (...) {
        failure = std::current_exception();
    }
    {
        std::unique_lock<std::mutex> lock(m_lock);
        m_done.wait(lock, [&] { return m_nPending == 0; });
        m_nParts = 0;
        m_pTask = nullptr;
    }
    if (failure) std::rethrow_exception(failure);
}

}  // namespace kv
