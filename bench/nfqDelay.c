/* Holds every packet of netfilter queue 0 for a fixed time before letting it pass: the
 * link delay of the shaped-link benchmark, on a kernel without netem.
 *   nfqDelay MICROSECONDS        (ends on SIGTERM or SIGINT) */
#include <arpa/inet.h>
#include <errno.h>
#include <linux/netfilter.h>
#include <libnetfilter_queue/libnetfilter_queue.h>
#include <poll.h>
#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <time.h>

#define CAPACITY 65536

static struct { uint32_t id; int64_t due; } held[CAPACITY];
static unsigned head, count;
static int64_t delayNs;
static volatile sig_atomic_t stopping;

static int64_t Now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (int64_t)t.tv_sec * 1000000000 + t.tv_nsec;
}

static int Hold(struct nfq_q_handle* q, struct nfgenmsg* m, struct nfq_data* d, void* unused)
{
    (void)m; (void)unused;
    struct nfqnl_msg_packet_hdr* h = nfq_get_msg_packet_hdr(d);
    uint32_t id = ntohl(h->packet_id);
    if (count == CAPACITY)
        return nfq_set_verdict(q, id, NF_ACCEPT, 0, NULL);
    unsigned slot = (head + count) % CAPACITY;
    held[slot].id = id;
    held[slot].due = Now() + delayNs;
    ++count;
    return 0;
}

static void Stop(int sig) { (void)sig; stopping = 1; }

int main(int argc, char** argv)
{
    if (argc != 2) { fprintf(stderr, "usage: nfqDelay MICROSECONDS\n"); return 2; }
    delayNs = atoll(argv[1]) * 1000;
    signal(SIGTERM, Stop);
    signal(SIGINT, Stop);
    struct nfq_handle* h = nfq_open();
    if (!h) { perror("nfq_open"); return 1; }
    struct nfq_q_handle* q = nfq_create_queue(h, 0, Hold, NULL);
    if (!q || nfq_set_mode(q, NFQNL_COPY_META, 0) < 0) { perror("nfq queue"); return 1; }
    nfq_set_queue_maxlen(q, CAPACITY);
    int fd = nfq_fd(h);
    int big = 8 << 20;
    setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &big, sizeof big);
    char buf[65536];
    while (!stopping) {
        int timeoutMs = -1;
        if (count) {
            int64_t wait = held[head].due - Now();
            timeoutMs = wait <= 0 ? 0 : (int)(wait / 1000000) + 1;
        }
        struct pollfd p = {fd, POLLIN, 0};
        if (poll(&p, 1, timeoutMs) > 0) {
            ssize_t n = recv(fd, buf, sizeof buf, MSG_DONTWAIT);
            if (n > 0)
                nfq_handle_packet(h, buf, (int)n);
        }
        int64_t now = Now();
        while (count && held[head].due <= now) {
            nfq_set_verdict(q, held[head].id, NF_ACCEPT, 0, NULL);
            head = (head + 1) % CAPACITY;
            --count;
        }
    }
    while (count) {
        nfq_set_verdict(q, held[head].id, NF_ACCEPT, 0, NULL);
        head = (head + 1) % CAPACITY;
        --count;
    }
    nfq_destroy_queue(q);
    nfq_close(h);
    return 0;
}
