#!/usr/bin/python3
"""Load on `quillmark serve`: 48 uploads of mixed theses, 8 at a time, to
`serve --jobs 2` on loopback, against `check --jobs 2` of the same 48 files on
the command line in the same run.

usage: serve_load.py QUILLMARK [THESIS...]
       (default: the two samples and the real theses in /work/shared/real)

Prints the service's throughput as a ratio to the command line's, the median
and 95th-percentile time from upload to findings, and the peak memory of each
side (the program, its workers and their engines together). Both sides check
every part; the service writes no report (report=0), as the command line
without --report.
"""
import glob
import resource
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time
import uuid
import http.client
from concurrent.futures import ThreadPoolExecutor

UPLOADS, AT_ONCE, JOBS, ROUNDS = 48, 8, 2, 3
HERE = os.path.dirname(os.path.abspath(__file__))


def theses(arguments):
    if arguments:
        return arguments
    found = [os.path.join(HERE, '..', 'samples', n) for n in ('bachelor-thesis.doc', 'master-thesis.doc')]
    return found + sorted(glob.glob('/work/shared/real/*.doc*'))


def tree_of(root):
    """The pids of `root` and every process below it."""
    children = {}
    for status in glob.glob('/proc/[0-9]*/stat'):
        try:
            with open(status) as f:
                fields = f.read().rsplit(')', 1)[1].split()
            children.setdefault(int(fields[1]), []).append(int(status.split('/')[2]))
        except (OSError, IndexError):
            pass
    pids, todo = [], [root]
    while todo:
        pid = todo.pop()
        pids.append(pid)
        todo.extend(children.get(pid, []))
    return pids


def rss_kb(pid):
    try:
        with open(f'/proc/{pid}/status') as f:
            for line in f:
                if line.startswith('VmRSS:'):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


class PeakMemory:
    """Samples the summed resident memory of a process tree every 100 ms."""

    def __init__(self, root):
        self.root, self.peak, self.running = root, 0, True
        self.thread = threading.Thread(target=self.sample, daemon=True)
        self.thread.start()

    def sample(self):
        while self.running:
            self.peak = max(self.peak, sum(rss_kb(p) for p in tree_of(self.root)))
            time.sleep(0.1)

    def stop(self):
        self.running = False
        self.thread.join()
        return self.peak / 1024


def form(path):
    boundary = 'bench' + uuid.uuid4().hex
    with open(path, 'rb') as f:
        data = f.read()
    body = (f'--{boundary}\r\nContent-Disposition: form-data; name="report"\r\n\r\n0\r\n'
            f'--{boundary}\r\nContent-Disposition: form-data; name="file"; filename="{os.path.basename(path)}"\r\n'
            'Content-Type: application/octet-stream\r\n\r\n').encode() + data + f'\r\n--{boundary}--\r\n'.encode()
    return body, 'multipart/form-data; boundary=' + boundary


def request(port, method, path, body=None, headers=None):
    connection = http.client.HTTPConnection('127.0.0.1', port, timeout=600)
    connection.request(method, path, body, headers or {})
    answer = connection.getresponse()
    return answer.status, json.loads(answer.read() or b'null')


def time_to_findings(port, path):
    body, kind = form(path)
    start = time.monotonic()
    status, answer = request(port, 'POST', '/api/checks', body, {'Content-Type': kind})
    if status != 202:
        raise RuntimeError(f'upload refused: {status} {answer}')
    deadline = start + 900
    while time.monotonic() < deadline:
        _, check = request(port, 'GET', '/api/checks/' + answer['id'])
        if check['status'] in ('done', 'failed'):
            request(port, 'DELETE', '/api/checks/' + answer['id'])
            return time.monotonic() - start, check['status']
        time.sleep(0.1)
    raise RuntimeError('no findings within 900 s')


def children_cpu():
    """CPU seconds of the processes this script has waited for, and theirs."""
    used = resource.getrusage(resource.RUSAGE_CHILDREN)
    return used.ru_utime + used.ru_stime


def command_line(quillmark, files, env):
    cpu = children_cpu()
    start = time.monotonic()
    process = subprocess.Popen([quillmark, 'check', '--json', '--jobs', str(JOBS)] + files,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
    memory = PeakMemory(process.pid)
    process.wait()
    return time.monotonic() - start, memory.stop(), children_cpu() - cpu


def service(quillmark, files, env):
    cpu = children_cpu()
    server = subprocess.Popen([quillmark, 'serve', '--listen', '127.0.0.1:0', '--jobs', str(JOBS), '--queue', '64'],
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=env, text=True)
    port = int(server.stdout.readline().split(':')[-1].split('/')[0])
    memory = PeakMemory(server.pid)
    start = time.monotonic()
    with ThreadPoolExecutor(AT_ONCE) as pool:
        results = list(pool.map(lambda f: time_to_findings(port, f), files))
    elapsed = time.monotonic() - start
    peak = memory.stop()
    server.terminate()
    server.wait(timeout=60)
    return elapsed, peak, results, children_cpu() - cpu


def main():
    quillmark = os.path.abspath(sys.argv[1])
    pool = theses(sys.argv[2:])
    files = [pool[i % len(pool)] for i in range(UPLOADS)]
    home = tempfile.mkdtemp(prefix='quillmark-serve-bench-')
    env = dict(os.environ, XDG_CACHE_HOME=os.path.join(home, 'cache'), TMPDIR=home, QUILLMARK_ENGINE_HEADLESS='1')
    rounds = []
    try:
        # The engine's cached profile is made once, outside the measures.
        subprocess.run([quillmark, 'check', pool[0]], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
        # Rounds alternate the order: the machine's load changes over a run.
        for r in range(ROUNDS):
            if r % 2 == 0:
                cli = command_line(quillmark, files, env)
                served = service(quillmark, files, env)
            else:
                served = service(quillmark, files, env)
                cli = command_line(quillmark, files, env)
            rounds.append((cli, served))
            print(f'round {r + 1}: check --jobs {JOBS} {cli[0]:.1f} s ({cli[2]:.0f} s CPU), '
                  f'serve --jobs {JOBS} {served[0]:.1f} s ({served[3]:.0f} s CPU), '
                  f'time ratio {served[0] / cli[0]:.3f}, CPU ratio {served[3] / cli[2]:.3f}', flush=True)
    finally:
        shutil.rmtree(home, ignore_errors=True)
    cli_seconds = statistics.median(c[0] for c, _ in rounds)
    serve_seconds = statistics.median(s[0] for _, s in rounds)
    cli_peak = max(c[1] for c, _ in rounds)
    serve_peak = max(s[1] for _, s in rounds)
    results = [r for _, s in rounds for r in s[2]]
    times = sorted(t for t, _ in results)
    failed = sum(1 for _, s in results if s != 'done')
    p95 = times[min(len(times) - 1, int(round(0.95 * len(times))) - 1)]
    print(f'theses: {", ".join(os.path.basename(p) for p in pool)}; {UPLOADS} uploads, {AT_ONCE} at a time, '
          f'{JOBS} workers')
    print(f'median of {ROUNDS} rounds:')
    print(f'check --jobs {JOBS}: {cli_seconds:.1f} s, peak memory {cli_peak:.0f} MiB')
    print(f'serve --jobs {JOBS}: {serve_seconds:.1f} s, peak memory {serve_peak:.0f} MiB, {failed} failed')
    print(f'service time / command-line time: {serve_seconds / cli_seconds:.3f} '
          f'(throughput ratio {cli_seconds / serve_seconds:.3f})')
    print(f'CPU time of all processes, service / command line: '
          f'{statistics.median(s[3] for _, s in rounds) / statistics.median(c[2] for c, _ in rounds):.3f}')
    print(f'time to findings: median {statistics.median(times):.1f} s, 95th percentile {p95:.1f} s')


if __name__ == '__main__':
    main()
