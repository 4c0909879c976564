#include "FftReference.h"

#include <cmath>

namespace kv::test {

std::vector<int32_t> ReferenceFactors(int32_t n) {
    std::vector<int32_t> f;
    if (n == 1) return {1};
    const int32_t radices[] = {2, 3, 4, 5, 8, 10};
    int ri = 5;
    while (n > 1 && ri >= 0) {
        if (n % radices[ri] == 0) {
            n /= radices[ri];
            f.push_back(radices[ri]);
        } else {
            --ri;
        }
    }
    if (!f.empty() && f.back() == 2)
        for (int i = static_cast<int>(f.size()) - 2; i >= 0; --i)
            if (f[i] == 8) {
                f[i] = 4;
                f.back() = 4;
                break;
            }
    if (n > 1) {
        for (int32_t k = 2; k < std::sqrt(static_cast<double>(n)) + 1; ++k)
            while (n % k == 0) {
                n /= k;
                f.push_back(k);
            }
        if (n > 1) f.push_back(n);
    }
    return std::vector<int32_t>(f.rbegin(), f.rend());
}

namespace {

double R(double x) { return static_cast<double>(static_cast<float>(x)); }

void Butterfly(int r, std::vector<double>& zr, std::vector<double>& zi, const std::vector<double>& tr,
               const std::vector<double>& ti) {
    const double c31 = -1.5, c32 = 0.86602540378444;
    const double c51 = -1.25, c52 = 0.55901699437495, c53 = -0.95105651629515, c54 = -1.5388417685876,
                 c55 = 0.36327126400268;
    const double c8 = 0.70710678118655;
    auto b4 = [](double* ar, double* ai) {
        double t1r = ar[0] + ar[2], t1i = ai[0] + ai[2], t2r = ar[1] + ar[3], t2i = ai[1] + ai[3];
        double m2r = ar[0] - ar[2], m2i = ai[0] - ai[2], m3r = ai[1] - ai[3], m3i = ar[3] - ar[1];
        ar[0] = t1r + t2r;
        ai[0] = t1i + t2i;
        ar[2] = t1r - t2r;
        ai[2] = t1i - t2i;
        ar[1] = m2r + m3r;
        ai[1] = m2i + m3i;
        ar[3] = m2r - m3r;
        ai[3] = m2i - m3i;
    };
    auto b5 = [&](double* ar, double* ai) {
        double t1r = ar[1] + ar[4], t1i = ai[1] + ai[4], t2r = ar[2] + ar[3], t2i = ai[2] + ai[3];
        double t3r = ar[1] - ar[4], t3i = ai[1] - ai[4], t4r = ar[3] - ar[2], t4i = ai[3] - ai[2];
        double t5r = t1r + t2r, t5i = t1i + t2i;
        ar[0] += t5r;
        ai[0] += t5i;
        double m1r = c51 * t5r, m1i = c51 * t5i, m2r = c52 * (t1r - t2r), m2i = c52 * (t1i - t2i);
        double m3r = -c53 * (t3i + t4i), m3i = c53 * (t3r + t4r);
        double m4r = -c54 * t4i, m4i = c54 * t4r, m5r = -c55 * t3i, m5i = c55 * t3r;
        double s3r = m3r - m4r, s3i = m3i - m4i, s5r = m3r + m5r, s5i = m3i + m5i;
        double s1r = ar[0] + m1r, s1i = ai[0] + m1i;
        double s2r = s1r + m2r, s2i = s1i + m2i, s4r = s1r - m2r, s4i = s1i - m2i;
        ar[1] = s2r + s3r;
        ai[1] = s2i + s3i;
        ar[2] = s4r + s5r;
        ai[2] = s4i + s5i;
        ar[3] = s4r - s5r;
        ai[3] = s4i - s5i;
        ar[4] = s2r - s3r;
        ai[4] = s2i - s3i;
    };
    if (r == 2) {
        double ar = zr[0], ai = zi[0];
        zr[0] = ar + zr[1];
        zi[0] = ai + zi[1];
        zr[1] = ar - zr[1];
        zi[1] = ai - zi[1];
    } else if (r == 3) {
        double t1r = zr[1] + zr[2], t1i = zi[1] + zi[2];
        zr[0] += t1r;
        zi[0] += t1i;
        double m1r = c31 * t1r, m1i = c31 * t1i;
        double m2r = c32 * (zi[1] - zi[2]), m2i = c32 * (zr[2] - zr[1]);
        double s1r = zr[0] + m1r, s1i = zi[0] + m1i;
        zr[1] = s1r + m2r;
        zi[1] = s1i + m2i;
        zr[2] = s1r - m2r;
        zi[2] = s1i - m2i;
    } else if (r == 4) {
        b4(zr.data(), zi.data());
    } else if (r == 5) {
        b5(zr.data(), zi.data());
    } else if (r == 8) {
        double ar[4] = {zr[0], zr[2], zr[4], zr[6]}, ai[4] = {zi[0], zi[2], zi[4], zi[6]};
        double br[4] = {zr[1], zr[3], zr[5], zr[7]}, bi[4] = {zi[1], zi[3], zi[5], zi[7]};
        b4(ar, ai);
        b4(br, bi);
        double x = br[1], y = bi[1];
        br[1] = c8 * (x + y);
        bi[1] = c8 * (y - x);
        x = br[2];
        y = bi[2];
        br[2] = y;
        bi[2] = -x;
        x = br[3];
        y = bi[3];
        br[3] = c8 * (y - x);
        bi[3] = -c8 * (x + y);
        for (int q = 0; q < 4; ++q) {
            zr[q] = ar[q] + br[q];
            zi[q] = ai[q] + bi[q];
            zr[q + 4] = ar[q] - br[q];
            zi[q + 4] = ai[q] - bi[q];
        }
    } else if (r == 10) {
        double ar[5] = {zr[0], zr[2], zr[4], zr[6], zr[8]}, ai[5] = {zi[0], zi[2], zi[4], zi[6], zi[8]};
        double br[5] = {zr[5], zr[7], zr[9], zr[1], zr[3]}, bi[5] = {zi[5], zi[7], zi[9], zi[1], zi[3]};
        b5(ar, ai);
        b5(br, bi);
        const int plus[5] = {0, 6, 2, 8, 4}, minus[5] = {5, 1, 7, 3, 9};
        for (int q = 0; q < 5; ++q) {
            zr[plus[q]] = ar[q] + br[q];
            zi[plus[q]] = ai[q] + bi[q];
            zr[minus[q]] = ar[q] - br[q];
            zi[minus[q]] = ai[q] - bi[q];
        }
    } else {
        const int h = (r + 1) / 2;
        std::vector<double> vr(h), vi(h), wr(h), wi(h);
        for (int p = 1; p < h; ++p) {
            vr[p] = zr[p] + zr[r - p];
            vi[p] = zi[p] - zi[r - p];
            wr[p] = zr[p] - zr[r - p];
            wi[p] = zi[p] + zi[r - p];
        }
        for (int p = 1; p < h; ++p) {
            zr[p] = zr[r - p] = zr[0];
            zi[p] = zi[r - p] = zi[0];
            int q = p;
            for (int i = 1; i < h; ++i) {
                double rere = tr[q] * vr[i], imim = ti[q] * vi[i], reim = tr[q] * wi[i], imre = ti[q] * wr[i];
                zr[r - p] += rere + imim;
                zi[r - p] += reim - imre;
                zr[p] += rere - imim;
                zi[p] += reim + imre;
                q += p;
                if (q >= r) q -= r;
            }
        }
        for (int p = 1; p < h; ++p) {
            zr[0] += vr[p];
            zi[0] += wi[p];
        }
    }
}

}  // namespace

void ReferenceFft(int32_t n, float scale, const double* sr, const double* si, double* dr, double* di) {
    const double pi = 4.0 * std::atan(1.0);
    std::vector<int32_t> f = ReferenceFactors(n);
    const int m = static_cast<int>(f.size());
    std::vector<int64_t> fact(m + 2, 1), sofar(m + 2, 1), remain(m + 2, 1);
    for (int i = 1; i <= m; ++i) fact[i] = f[i - 1];
    remain[0] = n;
    sofar[1] = 1;
    remain[1] = n / fact[1];
    for (int i = 2; i <= m; ++i) {
        sofar[i] = sofar[i - 1] * fact[i - 1];
        remain[i] = remain[i - 1] / fact[i];
    }
    const double sc = scale;
    std::vector<int64_t> c(m + 2, 0);
    int64_t k = 0;
    for (int64_t i = 0; i + 1 < n; ++i) {
        dr[i] = sc * sr[k];
        di[i] = sc * si[k];
        k += remain[1];
        ++c[1];
        int j = 1;
        while (c[j] >= fact[j]) {
            c[j] = 0;
            k = k - remain[j - 1] + remain[j + 1];
            ++j;
            ++c[j];
        }
    }
    dr[n - 1] = sc * sr[n - 1];
    di[n - 1] = sc * si[n - 1];
    for (int i = 1; i <= m; ++i) {
        const int r = static_cast<int>(fact[i]);
        const int64_t s = sofar[i], q = remain[i];
        std::vector<double> tr(r), ti(r), twr(r), twi(r), zr(r), zi(r);
        double w = 2.0 * pi / r;
        tr[0] = 1.0;
        ti[0] = 0.0;
        if (r > 1) {
            tr[1] = std::cos(w);
            ti[1] = -std::sin(w);
        }
        for (int j = 2; j < r; ++j) {
            tr[j] = tr[1] * tr[j - 1] - ti[1] * ti[j - 1];
            ti[j] = tr[1] * ti[j - 1] + ti[1] * tr[j - 1];
        }
        const double om = 2.0 * pi / static_cast<double>(s * r);
        const double str = std::cos(om), sti = -std::sin(om);
        double twRe = 1.0, twIm = 0.0;
        for (int64_t d = 0; d < s; ++d) {
            if (s > 1) {
                twr[0] = 1.0;
                twi[0] = 0.0;
                if (r > 1) {
                    twr[1] = twRe;
                    twi[1] = twIm;
                }
                for (int j = 2; j < r; ++j) {
                    twr[j] = twRe * twr[j - 1] - twIm * twi[j - 1];
                    twi[j] = twRe * twi[j - 1] + twIm * twr[j - 1];
                }
                const double nr = twRe * str - twIm * sti;
                twIm = twRe * sti + twIm * str;
                twRe = nr;
            }
            for (int64_t g = 0; g < q; ++g) {
                const int64_t a = d + g * s * r;
                for (int b = 0; b < r; ++b) {
                    zr[b] = dr[a + b * s];
                    zi[b] = di[a + b * s];
                }
                if (s > 1 && d > 0)
                    for (int b = 1; b < r; ++b) {
                        const double re = twr[b] * zr[b] - twi[b] * zi[b];
                        zi[b] = twr[b] * zi[b] + twi[b] * zr[b];
                        zr[b] = re;
                    }
                Butterfly(r, zr, zi, tr, ti);
                for (int b = 0; b < r; ++b) {
                    dr[a + b * s] = R(zr[b]);
                    di[a + b * s] = R(zi[b]);
                }
            }
        }
    }
}

void ExactDft(int64_t n, double scale, const double* re, const double* im, const std::vector<int64_t>& bins,
              std::vector<long double>& outRe, std::vector<long double>& outIm) {
    // exp(-j 2 pi j / n) as products of a coarse and a fine table: two
    // square roots of n sines and cosines instead of n.
    std::vector<double> cr(n), ci(n);  // rounding them to double costs far less than the FFT's own
    const long double twoPi = 6.283185307179586476925286766559L;
    int64_t block = 1;
    while (block * block < n) ++block;
    std::vector<long double> fr(block), fi(block), gr(block + 1), gi(block + 1);
    for (int64_t j = 0; j < block; ++j) {
        const long double a = twoPi * static_cast<long double>(j) / static_cast<long double>(n);
        fr[j] = std::cos(a);
        fi[j] = -std::sin(a);
    }
    for (int64_t j = 0; j <= block; ++j) {
        const long double a = twoPi * static_cast<long double>(j * block) / static_cast<long double>(n);
        gr[j] = std::cos(a);
        gi[j] = -std::sin(a);
    }
    for (int64_t j = 0; j < n; ++j) {
        const int64_t hi = j / block, lo = j % block;
        cr[j] = static_cast<double>(gr[hi] * fr[lo] - gi[hi] * fi[lo]);
        ci[j] = static_cast<double>(gr[hi] * fi[lo] + gi[hi] * fr[lo]);
    }
    std::vector<int64_t> all;
    const std::vector<int64_t>* which = &bins;
    if (bins.empty()) {
        all.resize(n);
        for (int64_t k = 0; k < n; ++k) all[k] = k;
        which = &all;
    }
    outRe.assign(which->size(), 0.0L);
    outIm.assign(which->size(), 0.0L);
    for (size_t i = 0; i < which->size(); ++i) {
        const int64_t k = (*which)[i];
        long double sr = 0, si = 0;
        int64_t idx = 0;
        for (int64_t t = 0; t < n; ++t) {
            const long double xr = re[t], xi = im[t];
            sr += xr * cr[idx] - xi * ci[idx];
            si += xr * ci[idx] + xi * cr[idx];
            idx += k;
            if (idx >= n) idx -= n;
        }
        outRe[i] = sr * scale;
        outIm[i] = si * scale;
    }
}

}  // namespace kv::test
